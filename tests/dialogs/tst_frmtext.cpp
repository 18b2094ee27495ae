#include "dialoghelpers.h"
#include "dialogs/frmtext.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

namespace {
const QString kNumberKey = QStringLiteral("Border_Width");
const QString kTextKey = QStringLiteral("Title");
} // namespace

class TestFrmText : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void init();
    void cleanup();

    void opensWithTheValueSelected_data();
    void opensWithTheValueSelected();
    void okReturnsTheTextAsTyped_data();
    void okReturnsTheTextAsTyped();
    void cancellingStoresNothing_data();
    void cancellingStoresNothing();
    void focusComingBackSelectsEverything();
    void numberWaitsForAWholeNumber_data();
    void numberWaitsForAWholeNumber();
    void storedNonNumberIsShownAndKept();

private:
    frmText* open(const QString& key);

    std::unique_ptr<FakeHost> m_host;
    QPointer<frmText> m_dialog;
};

void TestFrmText::initTestCase() {
    registerValueDialog(KindNumber, [] { return new frmText; });
    registerValueDialog(KindString, [] { return new frmText; });
}

void TestFrmText::init() {
    m_host = std::make_unique<FakeHost>();
    m_host->load({{kNumberKey, QStringLiteral("Spessore bordo"), KindNumber, 3},
                  {kTextKey, QStringLiteral("Titolo"), KindString, QStringLiteral("Blu notte")}});
}

void TestFrmText::cleanup() {
    delete m_dialog.data();
    m_host.reset();
}

frmText* TestFrmText::open(const QString& key) {
    auto setting = m_host->edit(key);
    m_dialog = qobject_cast<frmText*>(setting->form());
    if (m_dialog && !QTest::qWaitForWindowActive(m_dialog))
        qWarning("The text dialog did not become active");
    return m_dialog;
}

void TestFrmText::opensWithTheValueSelected_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<QString>("text");
    QTest::newRow("number") << kNumberKey << "Spessore bordo"
                            << "3";
    QTest::newRow("text") << kTextKey << "Titolo"
                          << "Blu notte";
    QTest::newRow("text longer than a text box's usual limit")
        << kTextKey << "Titolo" << QString(40000, u't');
}

void TestFrmText::opensWithTheValueSelected() {
    QFETCH(QString, key);
    QFETCH(QString, caption);
    QFETCH(QString, text);
    if (text != m_host->list.RetrData(key).toString())
        m_host->list.SetData(key, text);
    frmText* dlg = open(key);
    QVERIFY(dlg);
    QCOMPARE(dlg->windowTitle(), caption);
    QCOMPARE(dlg->parentWidget(), nullptr); // modeless, without owner
    QCOMPARE(dlg->findChild<QLabel*>("Label1")->text(),
             QStringLiteral("Inserisci il valore di questa impostazione:"));
    auto* txt = dlg->findChild<QLineEdit*>("txtText");
    QVERIFY(txt->hasFocus());
    QCOMPARE(txt->text(), text);
    QCOMPARE(txt->selectedText(), text);
    // Ok without a change gives the value back whole.
    QTest::keyClick(txt, Qt::Key_Return);
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(m_host->list.RetrData(key).toString(), text);
}

void TestFrmText::okReturnsTheTextAsTyped_data() {
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("byEnter");
    QTest::newRow("12 and Enter") << kNumberKey << "12" << true;
    QTest::newRow("a number with blanks, unchanged") << kNumberKey << " -12 " << false;
    QTest::newRow("empty text") << kTextKey << "" << true;
    QTest::newRow("text") << kTextKey << "Rosso" << false;
}

void TestFrmText::okReturnsTheTextAsTyped() {
    QFETCH(QString, key);
    QFETCH(QString, typed);
    QFETCH(bool, byEnter);
    frmText* dlg = open(key);
    auto* txt = dlg->findChild<QLineEdit*>("txtText");
    // The value is selected, so typing replaces it; Backspace empties it.
    if (typed.isEmpty())
        QTest::keyClick(txt, Qt::Key_Backspace);
    else
        QTest::keyClicks(txt, typed);
    QCOMPARE(txt->text(), typed);
    if (byEnter)
        QTest::keyClick(txt, Qt::Key_Return);
    else
        QTest::mouseClick(dlg->findChild<QPushButton*>("cmdOk"), Qt::LeftButton);
    QTRY_VERIFY(m_dialog.isNull());
    const QVariant stored = m_host->list.RetrData(key);
    QCOMPARE(stored.typeId(), int(QMetaType::QString)); // text, for number items too
    QCOMPARE(stored.toString(), typed);
    QCOMPARE(m_host->skin->RetrInfo(key).toString(), typed);
    QVERIFY(m_host->list.Modified());
    QVERIFY(m_host->scripted.shownTexts().isEmpty());
}

void TestFrmText::cancellingStoresNothing_data() {
    QTest::addColumn<QString>("ending");
    QTest::newRow("Annulla") << "cmdAnnulla";
    QTest::newRow("Esc") << "esc";
    QTest::newRow("frame") << "frame";
    QTest::newRow("Enter on the focused Annulla") << "enterOnAnnulla";
}

void TestFrmText::cancellingStoresNothing() {
    QFETCH(QString, ending);
    frmText* dlg = open(kNumberKey);
    QTest::keyClicks(dlg->findChild<QLineEdit*>("txtText"), QStringLiteral("99"));
    if (ending == QLatin1String("esc"))
        QTest::keyClick(dlg, Qt::Key_Escape);
    else if (ending == QLatin1String("frame"))
        dlg->close();
    else if (ending == QLatin1String("enterOnAnnulla")) {
        QTest::keyClick(dlg, Qt::Key_Tab);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), dlg->findChild<QWidget*>("cmdAnnulla"));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
    } else
        QTest::mouseClick(dlg->findChild<QPushButton*>(ending), Qt::LeftButton);
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(m_host->list.RetrData(kNumberKey), QVariant(3));
    QCOMPARE(m_host->skin->RetrInfo(kNumberKey), QVariant(3));
    QVERIFY(!m_host->list.Modified());
}

void TestFrmText::focusComingBackSelectsEverything() {
    frmText* dlg = open(kTextKey);
    auto* txt = dlg->findChild<QLineEdit*>("txtText");
    txt->setCursorPosition(2);
    QVERIFY(!txt->hasSelectedText());
    // Tab goes to "Ok", then "Annulla", then back round to the text box.
    QTest::keyClick(dlg, Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg->findChild<QWidget*>("cmdOk"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QCOMPARE(QApplication::focusWidget(), dlg->findChild<QWidget*>("cmdAnnulla"));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    QVERIFY(txt->hasFocus());
    QTRY_COMPARE(txt->selectedText(), QStringLiteral("Blu notte"));
    // A click into the box selects everything as well.
    txt->clearFocus();
    QTest::mouseClick(txt, Qt::LeftButton, {}, QPoint(5, 5));
    QTRY_COMPARE(txt->selectedText(), QStringLiteral("Blu notte"));
    // Back in the box after visiting "Annulla", Enter is "Ok" again.
    QTest::keyClicks(txt, QStringLiteral("Verde"));
    QTest::keyClick(txt, Qt::Key_Return);
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(m_host->list.RetrData(kTextKey).toString(), QStringLiteral("Verde"));
}

void TestFrmText::numberWaitsForAWholeNumber_data() {
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("accepted");
    QTest::newRow("lowest") << "-32768" << true;
    QTest::newRow("highest, with a sign") << "+32767" << true;
    QTest::newRow("one past the highest") << "32768" << false;
    QTest::newRow("a fraction") << "2.5" << false;
    QTest::newRow("digits then letters") << "12abc" << false;
    QTest::newRow("a sign alone") << "-" << false;
}

void TestFrmText::numberWaitsForAWholeNumber() {
    QFETCH(QString, typed);
    QFETCH(bool, accepted);
    frmText* dlg = open(kNumberKey);
    auto* txt = dlg->findChild<QLineEdit*>("txtText");
    auto* ok = dlg->findChild<QPushButton*>("cmdOk");
    auto* hint = dlg->findChild<QLabel*>("lblHint");
    QVERIFY(ok->isEnabled());
    QVERIFY(!hint->isVisible());
    QTest::keyClicks(txt, typed);
    QCOMPARE(ok->isEnabled(), accepted);
    QCOMPARE(hint->isVisible(), !accepted);
    QTest::keyClick(txt, Qt::Key_Return);
    if (accepted) {
        QTRY_VERIFY(m_dialog.isNull());
        return;
    }
    // Neither Enter nor a save's "apply the open edits" stores it; the dialog stays with the hint.
    QVERIFY(!dlg->confirmChanges());
    QVERIFY(dlg->isVisible());
    QCOMPARE(m_host->list.RetrData(kNumberKey), QVariant(3));
    QVERIFY(!m_host->list.Modified());
}

void TestFrmText::storedNonNumberIsShownAndKept() {
    m_host->list.SetData(kNumberKey, QStringLiteral("dodici"));
    frmText* dlg = open(kNumberKey);
    QCOMPARE(dlg->findChild<QLineEdit*>("txtText")->text(), QStringLiteral("dodici"));
    QVERIFY(!dlg->findChild<QPushButton*>("cmdOk")->isEnabled());
    QVERIFY(dlg->findChild<QLabel*>("lblHint")->isVisible());
    QTest::mouseClick(dlg->findChild<QPushButton*>("cmdAnnulla"), Qt::LeftButton);
    QTRY_VERIFY(m_dialog.isNull());
    QCOMPARE(m_host->list.RetrData(kNumberKey).toString(), QStringLiteral("dodici"));
}

QTEST_MAIN(TestFrmText)
#include "tst_frmtext.moc"
