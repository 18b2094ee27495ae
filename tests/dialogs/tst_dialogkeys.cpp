// Enter and Esc in every dialog, from whichever control has the focus, and Tab through all of
// their controls: the keyboard alone must be enough to confirm, cancel and reach everything.
#include "bitmap/frmeditor.h"
#include "dialoghelpers.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmcredits.h"
#include "dialogs/frmsfoglia.h"
#include "dialogs/frmtext.h"
#include "gradient/frmsfum.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace {

// The value dialogs, each opened through the launcher on a setting of its kind, with a change that
// "Ok" then stores.
QWidget* openValueDialog(FakeHost& host, const QString& dialog) {
    const QString work = host.folders.workDir();
    QDir().mkpath(work);
    host.skin->setSkinPath(work + u'/');
    host.skin->AddInfo(QStringLiteral("Capt_Count"), QStringLiteral("2"));
    host.skin->AddInfo(QStringLiteral("Capt_Pos<1>"), QStringLiteral("0"));
    host.skin->AddInfo(QStringLiteral("Capt<1>"), QStringLiteral("255"));
    host.skin->AddInfo(QStringLiteral("Capt_Pos<2>"), QStringLiteral("100"));
    host.skin->AddInfo(QStringLiteral("Capt<2>"), QStringLiteral("65280"));
    host.load({{QStringLiteral("Border_Width"), QStringLiteral("Spessore"), KindNumber, 3},
               {QStringLiteral("List_Back"), QStringLiteral("Sfondo"), KindColor, 0},
               {QStringLiteral("Capt"), QStringLiteral("Titolo"), KindGradient, QVariant()},
               {QStringLiteral("Scroller_Up"), QStringLiteral("Su"), KindMask, QString()}});
    QWidget* form = nullptr;
    if (dialog == QLatin1String("frmText") && (form = host.edit("Border_Width")->form()))
        form->findChild<QLineEdit*>(QStringLiteral("txtText"))->setText(QStringLiteral("7"));
    else if (dialog == QLatin1String("frmColor") && (form = host.edit("List_Back")->form()))
        form->findChild<QScrollBar*>(QStringLiteral("R"))->setValue(200);
    else if (dialog == QLatin1String("frmSfum") && (form = host.edit("Capt")->form()))
        form->findChild<QPushButton*>(QStringLiteral("cmdInverti"))->click();
    else if (dialog == QLatin1String("frmEditor")) // "Ok" stores the picture under a new name
        form = host.edit("Scroller_Up")->form();
    return form;
}

} // namespace

class TestDialogKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void keys_data();
    void keys();

private:
    QTemporaryDir m_pictures; // what the browser shows
    QTemporaryDir m_settings; // the recent colours of the colour picker
};

void TestDialogKeys::initTestCase() {
    QStandardPaths::setTestModeEnabled(true);
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, m_settings.path());
    registerValueDialog(KindNumber, [] { return new frmText; });
    registerValueDialog(KindColor, [] { return new frmColor; });
    registerValueDialog(KindGradient, [] { return new frmSfum; });
    registerValueDialog(KindMask, [] { return new frmEditor; });
    QVERIFY(m_pictures.isValid());
    QVERIFY(QDir().mkpath(m_pictures.path() + QStringLiteral("/sub")));
    QVERIFY(writeFileBytes(m_pictures.path() + QStringLiteral("/a.bmp"), "x"));
}

void TestDialogKeys::keys_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("outcome");
    const auto row = [](const char* dialog, const char* control, const char* key,
                        const char* outcome) {
        QTest::addRow("%s, %s, %s", dialog, control, key) << dialog << control << key << outcome;
    };
    // Tab from where the dialog puts the focus reaches every control.
    for (const char* dialog :
         {"frmText", "frmColor", "frmSfum", "frmEditor", "frmCredits", "frmSfoglia"})
        row(dialog, "", "Tab", "open");
    // A default "Ok": Enter in a text box confirms; on "Annulla" it cancels.
    row("frmText", "txtText", "Return", "confirmed");
    row("frmText", "txtText", "Enter", "confirmed"); // the keypad's
    row("frmText", "cmdAnnulla", "Return", "cancelled");
    row("frmText", "txtText", "Esc", "cancelled");
    row("frmCredits", "txtCredits1", "Return", "confirmed");
    row("frmCredits", "cmdAnnulla", "Return", "cancelled");
    row("frmCredits", "txtCredits2", "Esc", "cancelled");
    // Enter in the folder list opens the folder; elsewhere it confirms.
    row("frmSfoglia", "txtFile", "Return", "confirmed");
    row("frmSfoglia", "Files", "Return", "confirmed");
    row("frmSfoglia", "Drives", "Return", "confirmed");
    row("frmSfoglia", "Dirs", "Return", "open");
    row("frmSfoglia", "cmdAnnulla", "Return", "cancelled");
    row("frmSfoglia", "Dirs", "Esc", "cancelled");
    // No default button: Enter in a text box applies what was typed there, and presses only the
    // button that has the focus.
    row("frmColor", "txtHex", "Return", "open");
    row("frmColor", "cmdOk", "Enter", "confirmed");
    row("frmColor", "txtHex", "Esc", "cancelled");
    row("frmSfum", "cmdInverti", "Return", "open");
    row("frmSfum", "cmdOK", "Return", "confirmed");
    row("frmSfum", "sfmSfum", "Esc", "cancelled");
    row("frmEditor", "cmdOk", "Return", "confirmed");
    row("frmEditor", "uEditor", "Esc", "cancelled");
}

// Opens the dialog with a change made, presses the key from the control (or Tabs round the whole
// chain twice over), and tells how the dialog ended up.
void TestDialogKeys::keys() {
    QFETCH(QString, dialog);
    QFETCH(QString, control);
    QFETCH(QString, key);
    QFETCH(QString, outcome);
    QSet<QString> missed;
    bool open = false;
    const auto act = [&](QWidget* widget) {
        const QPointer<QWidget> form = widget;
        form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(form));
        if (key == QLatin1String("Tab")) {
            // Every control the user can see and use; of a group of radio buttons only the checked
            // one, as on every desktop (the arrows move within the group).
            for (QWidget* w : form->findChildren<QWidget*>()) {
                auto* radio = qobject_cast<QRadioButton*>(w);
                if (w->isVisibleTo(form) && w->isEnabled() && !w->focusProxy() &&
                    (w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty() &&
                    !w->objectName().startsWith(QLatin1String("qt_")) &&
                    !(radio && radio->autoExclusive() && !radio->isChecked()))
                    missed.insert(w->objectName());
            }
            QVERIFY(!missed.isEmpty());
            if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != form)
                QTest::keyClick(form, Qt::Key_Tab);
            for (auto i = 2 * missed.size() + 2; i > 0 && QApplication::focusWidget(); --i) {
                QWidget* w = QApplication::focusWidget();
                while (w && w->objectName().isEmpty())
                    w = w->parentWidget(); // the line edit inside a spin box
                if (w)
                    missed.remove(w->objectName());
                QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            }
        } else {
            QWidget* target = form->findChild<QWidget*>(control);
            if (target)
                target->setFocus(Qt::TabFocusReason);
            QVERIFY2(target && target->hasFocus(), qPrintable(control + " takes no focus"));
            QTest::keyClick(target, QKeySequence(key)[0].key());
        }
        open = form && form->isVisible();
    };
    bool confirmed = false;
    if (dialog == QLatin1String("frmCredits")) {
        whenModalShown([&](QWidget* form) {
            form->findChild<QLineEdit*>("txtCredits2")->setText("Grafica");
            act(form);
        });
        confirmed = frmCredits::ModificaCredits(QStringLiteral("Autore")) != "Autore";
    } else if (dialog == QLatin1String("frmSfoglia")) {
        frmSfoglia form;
        form.setDirInizio(m_pictures.path());
        form.setNomefile(QStringLiteral("nuova.bmp"));
        form.show();
        act(&form);
        confirmed = !form.Nomefile().isEmpty();
    } else {
        FakeHost host;
        const QPointer<QWidget> form = openValueDialog(host, dialog);
        QVERIFY2(form, "the dialog did not open");
        act(form);
        if (form && form->isVisible())
            delete form.data();
        QCoreApplication::processEvents();
        confirmed = host.list.Modified();
    }
    if (QTest::currentTestFailed())
        return;
    QVERIFY2(missed.isEmpty(), qPrintable(QStringList(missed.begin(), missed.end()).join(u' ')));
    QCOMPARE(QString(open ? "open" : confirmed ? "confirmed" : "cancelled"), outcome);
}

QTEST_MAIN(TestDialogKeys)
#include "tst_dialogkeys.moc"
