#include "common/hexcolour.h"

#include <QTest>

class TestHexColour : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void reading_data();
    void reading();
    void writingIsRedFirstUpperCase();
};

void TestHexColour::reading_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("valid");
    QTest::addColumn<Colour>("colour");
    const Colour orange = makeColour(0xFF, 0x80, 0x0A);
    QTest::newRow("#RRGGBB") << "#FF800A" << true << orange;
    QTest::newRow("without #") << "FF800A" << true << orange;
    QTest::newRow("lower case") << "#ff800a" << true << orange;
    QTest::newRow("mixed case, blanks") << "  #fF800a " << true << orange;
    QTest::newRow("#RGB doubles each digit") << "#F8a" << true << makeColour(0xFF, 0x88, 0xAA);
    QTest::newRow("RGB without #") << "000" << true << Colour(0);
    QTest::newRow("white") << "#FFFFFF" << true << Colour(0xFFFFFF);
    for (const char* bad : {"", "#", "#12", "#1234", "#12345", "#1234567", "#GG0000", "##123456",
                            "0x1234", "12 345", "#-12345", "#FF800A#"})
        QTest::newRow(bad) << QString::fromLatin1(bad) << false << Colour(0);
}

void TestHexColour::reading() {
    QFETCH(QString, text);
    QFETCH(bool, valid);
    QFETCH(Colour, colour);
    const std::optional<Colour> read = colourFromHex(text);
    QCOMPARE(read.has_value(), valid);
    if (valid)
        QCOMPARE(*read, colour);
}

void TestHexColour::writingIsRedFirstUpperCase() {
    QCOMPARE(colourToHex(0x0000FF), QStringLiteral("#FF0000"));
    QCOMPARE(colourToHex(makeColour(0x0A, 0xBC, 0x01)), QStringLiteral("#0ABC01"));
    // What it writes reads back as the same colour.
    for (Colour c : {0, 0xFFFFFF, 0x123456, 0xA0B0C})
        QCOMPARE(colourFromHex(colourToHex(c)), std::optional<Colour>(c));
}

QTEST_APPLESS_MAIN(TestHexColour)
#include "tst_hexcolour.moc"
