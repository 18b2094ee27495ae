#include "dialoghelpers.h"
#include "dialogs/frmcredits.h"

#include <QClipboard>
#include <QFontInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {

QLineEdit* lineBox(QWidget* dlg, int i) {
    return dlg->findChild<QLineEdit*>(QStringLiteral("txtCredits%1").arg(i));
}

QStringList shownLines(QWidget* dlg) {
    QStringList lines;
    for (int i = 1; i <= 5; ++i)
        lines << lineBox(dlg, i)->text();
    return lines;
}

void finish(QWidget* dlg, const QString& ending) {
    if (ending == QLatin1String("frame"))
        dlg->close();
    else if (ending == QLatin1String("esc"))
        QTest::keyClick(dlg, Qt::Key_Escape);
    else
        QTest::mouseClick(dlg->findChild<QPushButton*>(ending), Qt::LeftButton);
}

} // namespace

class TestFrmCredits : public QObject {
    Q_OBJECT
private Q_SLOTS:

    void splitsAndJoins_data();
    void splitsAndJoins();
    void editedLinesComeBackAsFiveLines();
    void typingIsLimitedToFiftyNineCharacters();
    void layoutFontAndTabOrder();
};

void TestFrmCredits::splitsAndJoins_data() {
    QTest::addColumn<QString>("credits");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("ending");
    QTest::addColumn<QString>("result");
    const QString e;
    QTest::newRow("empty, Ok") << e << QStringList{e, e, e, e, e} << "cmdOk"
                               << "\r\n\r\n\r\n\r\n";
    QTest::newRow("two lines, Ok") << "a\r\nb" << QStringList{"a", "b", e, e, e} << "cmdOk"
                                   << "a\r\nb\r\n\r\n\r\n";
    QTest::newRow("two lines, Annulla")
        << "a\r\nb" << QStringList{"a", "b", e, e, e} << "cmdAnnulla"
        << "a\r\nb";
    QTest::newRow("two lines, frame") << "a\r\nb" << QStringList{"a", "b", e, e, e} << "frame"
                                      << "a\r\nb";
    QTest::newRow("two lines, Esc") << "a\r\nb" << QStringList{"a", "b", e, e, e} << "esc"
                                    << "a\r\nb";
    QTest::newRow("trailing line break") << "a\r\n"
                                         << QStringList{"a", e, e, e, e} << "cmdOk"
                                         << "a\r\n\r\n\r\n\r\n";
    QTest::newRow("blank lines kept in place")
        << "\r\n x\r\n\r\ny " << QStringList{e, " x", e, "y ", e} << "cmdOk"
        << "\r\n x\r\n\r\ny \r\n";
    QTest::newRow("lone line feeds are not line breaks")
        << "a\nb\rc" << QStringList{"a\nb\rc", e, e, e, e} << "cmdAnnulla"
        << "a\nb\rc";
    QTest::newRow("seven lines: the surplus joins line 5")
        << "1\r\n2\r\n3\r\n4\r\n5\r\n6\r\n7" << QStringList{"1", "2", "3", "4", "5 6 7"} << "cmdOk"
        << "1\r\n2\r\n3\r\n4\r\n5 6 7";
    QTest::newRow("surplus after an empty line 5")
        << "1\r\n2\r\n3\r\n4\r\n\r\n6\r\n"
        << QStringList{"1", "2", "3", "4", "6"} << "cmdOk"
        << "1\r\n2\r\n3\r\n4\r\n6";
    const QString huge(40000, u'w');
    QTest::newRow("a line longer than a text box's usual limit")
        << "a\r\n" + huge << QStringList{"a", huge, e, e, e} << "cmdOk"
        << "a\r\n" + huge + "\r\n\r\n\r\n";
    QTest::newRow("surplus, Annulla gives it back unchanged")
        << "1\r\n2\r\n3\r\n4\r\n5\r\n6" << QStringList{"1", "2", "3", "4", "5 6"} << "cmdAnnulla"
        << "1\r\n2\r\n3\r\n4\r\n5\r\n6";
}

void TestFrmCredits::splitsAndJoins() {
    QFETCH(QString, credits);
    QFETCH(QStringList, shown);
    QFETCH(QString, ending);
    QFETCH(QString, result);
    QStringList seen;
    QString caption;
    whenModalShown([&](QWidget* w) {
        QCOMPARE(frmCredits::sharedInstance(), w);
        caption = w->windowTitle();
        seen = shownLines(w);
        finish(w, ending);
    });
    QCOMPARE(frmCredits::ModificaCredits(credits), result);
    QCOMPARE(caption, QStringLiteral("Skin Credits"));
    QCOMPARE(seen, shown);
    QCOMPARE(frmCredits::sharedInstance(), nullptr);
}

void TestFrmCredits::editedLinesComeBackAsFiveLines() {
    whenModalShown([](QWidget* w) {
        QLineEdit* first = lineBox(w, 1);
        first->setFocus();
        QTest::keyClick(first, Qt::Key_End);
        QTest::keyClicks(first, QStringLiteral(" & co."));
        QTest::keyClicks(lineBox(w, 4), QStringLiteral("quattro"));
        // Text of several lines pasted into a line box stays on that line.
        QLineEdit* second = lineBox(w, 2);
        second->setFocus();
        QTest::keyClick(second, Qt::Key_End);
        QGuiApplication::clipboard()->setText(QStringLiteral(" - Roma\r\nMilano\nTorino!"));
        QTest::keyClick(second, Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(second->text(), QStringLiteral("Luigi - Roma Milano Torino!"));
        QCOMPARE(second->cursorPosition(), second->text().size());
        QTest::keyClicks(second, QStringLiteral("?"));
        finish(w, QStringLiteral("cmdOk"));
    });
    QCOMPARE(frmCredits::ModificaCredits(QStringLiteral("Mario\r\nLuigi")),
             QStringLiteral("Mario & co.\r\nLuigi - Roma Milano Torino!?\r\n\r\nquattro\r\n"));
}

void TestFrmCredits::typingIsLimitedToFiftyNineCharacters() {
    const QString longLine = QString(70, u'x');
    const QString paste = QString(100, u'p');
    QStringList lines;
    whenModalShown([&](QWidget* w) {
        // Line 1: a long line passed in is shown whole, does not grow, but may shrink.
        QLineEdit* one = lineBox(w, 1);
        QCOMPARE(one->text(), longLine);
        one->setFocus();
        QTest::keyClick(one, Qt::Key_End);
        QTest::keyClicks(one, QStringLiteral("ab"));
        QCOMPARE(one->text(), longLine);
        QTest::keyClick(one, Qt::Key_Backspace);
        QCOMPARE(one->text().size(), 69);
        QTest::keyClicks(one, QStringLiteral("y"));
        QCOMPARE(one->text().size(), 69);
        // Replacing a selection by as many characters keeps the length and is allowed.
        one->setSelection(0, 2);
        QTest::keyClicks(one, QStringLiteral("z"));
        QCOMPARE(one->text().size(), 68);
        QVERIFY(one->text().startsWith(u'z'));

        // Line 2: typing stops at 59 characters.
        QLineEdit* two = lineBox(w, 2);
        two->setFocus();
        QTest::keyClicks(two, QString(65, u'a'));
        QCOMPARE(two->text(), QString(59, u'a'));
        // In the middle as well: the text and the cursor stay where they were.
        two->setCursorPosition(10);
        QTest::keyClicks(two, QStringLiteral("b"));
        QCOMPARE(two->text(), QString(59, u'a'));
        QCOMPARE(two->cursorPosition(), 10);

        // Line 3: a paste is cut to what fits.
        QLineEdit* three = lineBox(w, 3);
        three->setFocus();
        QTest::keyClicks(three, QStringLiteral("ABC"));
        three->setCursorPosition(1);
        QGuiApplication::clipboard()->setText(paste);
        three->paste();
        QCOMPARE(three->text(), u'A' + QString(56, u'p') + QStringLiteral("BC"));
        QCOMPARE(three->cursorPosition(), 57);
        lines = shownLines(w);
        finish(w, QStringLiteral("cmdOk"));
    });
    const QString result = frmCredits::ModificaCredits(longLine);
    QCOMPARE(result, lines.join(QStringLiteral("\r\n")));
}

void TestFrmCredits::layoutFontAndTabOrder() {
    QStringList order;
    bool fixedPitch = false;
    double pointSize = 0;
    whenModalShown([&](QWidget* w) {
        const QFontInfo info(lineBox(w, 3)->font());
        fixedPitch = info.fixedPitch();
        pointSize = lineBox(w, 3)->font().pointSizeF();
        QCOMPARE(lineBox(w, 1)->geometry(), QRect(20, 5, 421, 21));
        QCOMPARE(lineBox(w, 5)->geometry(), QRect(20, 105, 421, 21));
        // Without an active window there is no focus to follow (a slow run may get here first).
        if (!QTest::qWaitForWindowActive(w))
            return;
        lineBox(w, 1)->setFocus();
        for (int i = 0; i < 7 && QApplication::focusWidget(); ++i) {
            order << QApplication::focusWidget()->objectName();
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        }
        finish(w, QStringLiteral("cmdAnnulla"));
    });
    frmCredits::ModificaCredits(QString());
    QVERIFY(fixedPitch);
    QCOMPARE(pointSize, 8.25);
    QCOMPARE(order, (QStringList{"txtCredits1", "txtCredits2", "txtCredits3", "txtCredits4",
                                 "txtCredits5", "cmdAnnulla", "cmdOk"}));
}

QTEST_MAIN(TestFrmCredits)
#include "tst_frmcredits.moc"
