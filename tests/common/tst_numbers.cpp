#include "common/numbers.h"

#include <QTest>

class TestNumbers : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void readNumber_data();
    void readNumber();
    void readNumberOfVariants();
    void roundHalfEven_data();
    void roundHalfEven();
    void narrowingOverflows();
    void printForm();
};

void TestNumbers::readNumber_data() {
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("expected");
    QTest::newRow("empty") << QString() << 0.0;
    QTest::newRow("blanks only") << QStringLiteral("   ") << 0.0;
    QTest::newRow("word") << QStringLiteral("abc") << 0.0;
    QTest::newRow("plain") << QStringLiteral("16777215") << 16777215.0;
    QTest::newRow("leading blanks") << QStringLiteral("   42") << 42.0;
    QTest::newRow("tab") << QStringLiteral("\t7") << 7.0;
    QTest::newRow("negative") << QStringLiteral("-1") << -1.0;
    QTest::newRow("plus") << QStringLiteral("+5") << 5.0;
    QTest::newRow("prefix only") << QStringLiteral("12abc") << 12.0;
    QTest::newRow("fraction") << QStringLiteral("12.5") << 12.5;
    QTest::newRow("leading point") << QStringLiteral(".5") << 0.5;
    QTest::newRow("trailing point") << QStringLiteral("3.") << 3.0;
    QTest::newRow("exponent") << QStringLiteral("1e3") << 1000.0;
    QTest::newRow("exponent without digits") << QStringLiteral("2e") << 2.0;
    QTest::newRow("print form") << QStringLiteral(" 100 ") << 100.0;
    QTest::newRow("hex") << QStringLiteral("&HFF") << 255.0;
    QTest::newRow("hex lower") << QStringLiteral("&hff") << 255.0;
    QTest::newRow("hex colour") << QStringLiteral("&HFFFFFF") << 16777215.0;
    QTest::newRow("hex all ones is -1") << QStringLiteral("&HFFFFFFFF") << -1.0;
    QTest::newRow("hex without digits") << QStringLiteral("&H") << 0.0;
    QTest::newRow("sign alone") << QStringLiteral("-") << 0.0;
    QTest::newRow("blank inside ends prefix") << QStringLiteral("1 2") << 1.0;
}

void TestNumbers::readNumber() {
    QFETCH(QString, text);
    QFETCH(double, expected);
    QCOMPARE(::readNumber(text), expected);
}

void TestNumbers::readNumberOfVariants() {
    QCOMPARE(::readNumber(QVariant(true)), -1.0);
    QCOMPARE(::readNumber(QVariant(false)), 0.0);
    QCOMPARE(::readNumber(QVariant(qint16(-7))), -7.0);
    QCOMPARE(::readNumber(QVariant(2.5)), 2.5);
    QCOMPARE(::readNumber(QVariant(QStringLiteral(" 23 "))), 23.0);
    QCOMPARE(::readNumber(QVariant()), 0.0);
}

void TestNumbers::roundHalfEven_data() {
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("12.5") << 12.5 << 12.0;
    QTest::newRow("13.5") << 13.5 << 14.0;
    QTest::newRow("0.5") << 0.5 << 0.0;
    QTest::newRow("-0.5") << -0.5 << 0.0;
    QTest::newRow("-1.5") << -1.5 << -2.0;
    QTest::newRow("25.5") << 25.5 << 26.0;
    QTest::newRow("76.5") << 76.5 << 76.0;
    QTest::newRow("127.5") << 127.5 << 128.0;
    QTest::newRow("63.75") << 63.75 << 64.0;
}

void TestNumbers::roundHalfEven() {
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(::roundHalfEven(value), expected);
}

void TestNumbers::narrowingOverflows() {
    QCOMPARE(toInt16(32767.4).value(), qint16(32767));
    QVERIFY(!toInt16(32767.5).has_value()); // rounds to 32768
    QCOMPARE(toInt16(-32768.0).value(), qint16(-32768));
    QVERIFY(!toInt16(-32769.0).has_value());
    QCOMPARE(toInt32(2147483647.0).value(), qint32(2147483647));
    QVERIFY(!toInt32(2147483648.0).has_value());
    QVERIFY(!toInt32(std::numeric_limits<double>::quiet_NaN()).has_value());
    QCOMPARE(toInt16Clamped(40000), qint16(32767));
    QCOMPARE(toInt32Clamped(-1e12), std::numeric_limits<qint32>::min());
}

void TestNumbers::printForm() {
    QCOMPARE(::printForm(100), QStringLiteral(" 100 "));
    QCOMPARE(::printForm(0), QStringLiteral(" 0 "));
    QCOMPARE(::printForm(-5), QStringLiteral("-5 "));
    QCOMPARE(::printForm(12.5), QStringLiteral(" 12.5 "));
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "tst_numbers.moc"
