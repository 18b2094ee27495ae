// Enter and Esc in every dialog, from whichever control has the focus, and Tab through all of
// their controls: the keyboard alone must be enough to confirm, cancel and reach everything.
#include "bitmap/frmeditor.h"
#include "dialoghelpers.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmcredits.h"
#include "dialogs/frmsfoglia.h"
#include "dialogs/frmtext.h"
#include "gradient/frmsfum.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

enum class Outcome { Confirmed, Cancelled, Open };

// The value dialogs, each opened through the launcher on a setting of its kind.
const QString kText = QStringLiteral("frmText");
const QString kColour = QStringLiteral("frmColor");
const QString kGradient = QStringLiteral("frmSfum");
const QString kPicture = QStringLiteral("frmEditor");
// The two modal ones the main window and the list call.
const QString kCredits = QStringLiteral("frmCredits");
const QString kBrowser = QStringLiteral("frmSfoglia");

const QString kCreditsBefore = QStringLiteral("Autore");

// The settings the value dialogs edit, with a value each that their change below alters.
struct ValueHost {
    FakeHost host;

    ValueHost() {
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
    }

    static QString keyOf(const QString& dialog) {
        if (dialog == kText)
            return QStringLiteral("Border_Width");
        if (dialog == kColour)
            return QStringLiteral("List_Back");
        if (dialog == kGradient)
            return QStringLiteral("Capt");
        return QStringLiteral("Scroller_Up");
    }

    // Opened, active and changed, so that "Ok" has something to store.
    QWidget* open(const QString& dialog) {
        QWidget* form = host.edit(keyOf(dialog))->form();
        if (!form)
            return nullptr;
        form->activateWindow();
        if (!QTest::qWaitForWindowActive(form))
            return nullptr;
        if (dialog == kText)
            form->findChild<QLineEdit*>(QStringLiteral("txtText"))->setText(QStringLiteral("7"));
        else if (dialog == kColour)
            form->findChild<QScrollBar*>(QStringLiteral("R"))->setValue(200);
        else if (dialog == kGradient)
            form->findChild<QPushButton*>(QStringLiteral("cmdInverti"))->click();
        // The picture editor stores its picture under a new name: "Ok" is a change by itself.
        return form;
    }
};

QWidget* focusOn(QWidget* dialog, const QString& control) {
    QWidget* target = dialog->findChild<QWidget*>(control);
    if (!target)
        return nullptr;
    target->setFocus(Qt::TabFocusReason);
    return target->hasFocus() ? target : nullptr;
}

Qt::Key keyNamed(const QString& name) {
    if (name == QLatin1String("Return"))
        return Qt::Key_Return;
    if (name == QLatin1String("Enter"))
        return Qt::Key_Enter; // the keypad's
    return Qt::Key_Escape;
}

// What Tab must reach: every control the user can see and use. Of a group of radio buttons only
// the checked one takes Tab, as on every desktop; the arrows move within the group.
QSet<QString> tabStops(QWidget* dialog) {
    QSet<QString> stops;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        if (!w->isVisibleTo(dialog) || !w->isEnabled() || w->focusProxy() ||
            !(w->focusPolicy() & Qt::TabFocus) || w->objectName().isEmpty() ||
            w->objectName().startsWith(QLatin1String("qt_")))
            continue;
        if (auto* radio = qobject_cast<QRadioButton*>(w);
            radio && radio->autoExclusive() && !radio->isChecked())
            continue;
        stops.insert(w->objectName());
    }
    return stops;
}

// Tab from the first control round the whole chain, twice over, recording where the focus went.
QSet<QString> reachedByTab(QWidget* dialog, int presses) {
    QSet<QString> reached;
    for (int i = 0; i < presses && QApplication::focusWidget(); ++i) {
        QWidget* w = QApplication::focusWidget();
        while (w && w->objectName().isEmpty())
            w = w->parentWidget(); // the line edit inside a spin box
        if (w && w != dialog)
            reached.insert(w->objectName());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    return reached;
}

} // namespace

Q_DECLARE_METATYPE(Outcome)

class TestDialogKeys : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase();
    void cleanup();
    void enterConfirmsEscCancels_data();
    void enterConfirmsEscCancels();
    void tabReachesEveryControl_data();
    void tabReachesEveryControl();

private:
    Outcome pressInValueDialog(const QString& dialog, const QString& control, Qt::Key key);
    Outcome pressInCredits(const QString& control, Qt::Key key);
    Outcome pressInBrowser(const QString& control, Qt::Key key);

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

void TestDialogKeys::cleanup() {
    // A dialog left open by a failed case must not take the next one's keys.
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (w->isVisible())
            w->close();
    }
    QCoreApplication::processEvents();
}

void TestDialogKeys::enterConfirmsEscCancels_data() {
    QTest::addColumn<QString>("dialog");
    QTest::addColumn<QString>("control");
    QTest::addColumn<QString>("key");
    QTest::addColumn<Outcome>("outcome");
    const auto row = [](const QString& dialog, const char* control, const char* key,
                        Outcome outcome) {
        QTest::addRow("%s, %s, %s", qPrintable(dialog), control, key)
            << dialog << QString::fromLatin1(control) << QString::fromLatin1(key) << outcome;
    };
    using enum Outcome;
    row(kText, "txtText", "Return", Confirmed);
    row(kText, "txtText", "Enter", Confirmed);
    row(kText, "txtText", "Escape", Cancelled);
    row(kText, "cmdOk", "Return", Confirmed);
    row(kText, "cmdAnnulla", "Return", Cancelled);
    row(kText, "cmdAnnulla", "Escape", Cancelled);

    // Enter in a text box applies what was typed there, which "Ok" then confirms.
    row(kColour, "txtR", "Return", Open);
    row(kColour, "txtHex", "Return", Open);
    row(kColour, "R", "Return", Open);
    row(kColour, "cmdOk", "Return", Confirmed);
    row(kColour, "cmdOk", "Enter", Confirmed);
    row(kColour, "cmdAnnulla", "Return", Cancelled);
    row(kColour, "txtHex", "Escape", Cancelled);
    row(kColour, "cmdOk", "Escape", Cancelled);

    row(kGradient, "cmdInverti", "Return", Open);
    row(kGradient, "cmdDistribuisci", "Enter", Open);
    row(kGradient, "cmdOK", "Return", Confirmed);
    row(kGradient, "cmdAnnulla", "Return", Cancelled);
    row(kGradient, "sfmSfum", "Escape", Cancelled);
    row(kGradient, "cmdOK", "Escape", Cancelled);

    row(kPicture, "cmdOk", "Return", Confirmed);
    row(kPicture, "cmdAnnulla", "Return", Cancelled);
    row(kPicture, "uEditor", "Escape", Cancelled);
    row(kPicture, "cboSimmetria", "Escape", Cancelled);

    // Every credits box holds a single line: Enter there confirms.
    row(kCredits, "txtCredits1", "Return", Confirmed);
    row(kCredits, "txtCredits3", "Enter", Confirmed);
    row(kCredits, "txtCredits5", "Return", Confirmed);
    row(kCredits, "cmdOk", "Return", Confirmed);
    row(kCredits, "cmdAnnulla", "Return", Cancelled);
    row(kCredits, "txtCredits2", "Escape", Cancelled);
    row(kCredits, "cmdOk", "Escape", Cancelled);

    // Enter in the folder list opens the folder.
    row(kBrowser, "txtFile", "Return", Confirmed);
    row(kBrowser, "Files", "Return", Confirmed);
    row(kBrowser, "Drives", "Return", Confirmed);
    row(kBrowser, "Dirs", "Return", Open);
    row(kBrowser, "cmdOK", "Return", Confirmed);
    row(kBrowser, "cmdAnnulla", "Return", Cancelled);
    row(kBrowser, "txtFile", "Escape", Cancelled);
    row(kBrowser, "Dirs", "Escape", Cancelled);
}

void TestDialogKeys::enterConfirmsEscCancels() {
    QFETCH(QString, dialog);
    QFETCH(QString, control);
    QFETCH(QString, key);
    QFETCH(Outcome, outcome);
    Outcome got;
    if (dialog == kCredits)
        got = pressInCredits(control, keyNamed(key));
    else if (dialog == kBrowser)
        got = pressInBrowser(control, keyNamed(key));
    else
        got = pressInValueDialog(dialog, control, keyNamed(key));
    if (QTest::currentTestFailed())
        return;
    QCOMPARE(int(got), int(outcome));
}

Outcome TestDialogKeys::pressInValueDialog(const QString& dialog, const QString& control,
                                           Qt::Key key) {
    ValueHost values;
    const QPointer<QWidget> form = values.open(dialog);
    [&] {
        QVERIFY2(form, "the dialog did not open and become active");
    }();
    if (!form)
        return Outcome::Open;
    QWidget* target = focusOn(form, control);
    [&] {
        QVERIFY2(target, qPrintable(control + QStringLiteral(" takes no focus")));
    }();
    if (!target)
        return Outcome::Open;
    QTest::keyClick(target, key);
    if (form && form->isVisible()) {
        delete form.data();
        return Outcome::Open;
    }
    QCoreApplication::processEvents();
    return values.host.list.Modified() ? Outcome::Confirmed : Outcome::Cancelled;
}

Outcome TestDialogKeys::pressInCredits(const QString& control, Qt::Key key) {
    bool focused = false;
    bool open = false;
    whenModalShown([&](QWidget* dialog) {
        if (!QTest::qWaitForWindowActive(dialog))
            return;
        dialog->findChild<QLineEdit*>(QStringLiteral("txtCredits2"))
            ->setText(QStringLiteral("Grafica"));
        QWidget* target = focusOn(dialog, control);
        focused = target != nullptr;
        if (!target)
            return;
        QTest::keyClick(target, key);
        open = dialog->isVisible();
    });
    const QString result = frmCredits::ModificaCredits(kCreditsBefore);
    [&] {
        QVERIFY2(focused, qPrintable(control + QStringLiteral(" takes no focus")));
    }();
    if (open)
        return Outcome::Open;
    return result == kCreditsBefore ? Outcome::Cancelled : Outcome::Confirmed;
}

Outcome TestDialogKeys::pressInBrowser(const QString& control, Qt::Key key) {
    frmSfoglia dialog;
    dialog.setDirInizio(m_pictures.path());
    dialog.setNomefile(QStringLiteral("nuova.bmp"));
    dialog.show();
    dialog.activateWindow();
    [&] {
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
    }();
    QWidget* target = focusOn(&dialog, control);
    [&] {
        QVERIFY2(target, qPrintable(control + QStringLiteral(" takes no focus")));
    }();
    if (!target)
        return Outcome::Open;
    QTest::keyClick(target, key);
    if (dialog.isVisible())
        return Outcome::Open;
    return dialog.Nomefile().isEmpty() ? Outcome::Cancelled : Outcome::Confirmed;
}

void TestDialogKeys::tabReachesEveryControl_data() {
    QTest::addColumn<QString>("dialog");
    for (const QString& dialog : {kText, kColour, kGradient, kPicture, kCredits, kBrowser})
        QTest::newRow(qPrintable(dialog)) << dialog;
}

void TestDialogKeys::tabReachesEveryControl() {
    QFETCH(QString, dialog);
    QSet<QString> expected;
    QSet<QString> reached;
    const auto walk = [&](QWidget* form) {
        expected = tabStops(form);
        QVERIFY(!expected.isEmpty());
        // Where the dialog puts the focus, or else the first control in its chain.
        if (!QApplication::focusWidget() || QApplication::focusWidget()->window() != form)
            QTest::keyClick(form, Qt::Key_Tab);
        reached = reachedByTab(form, 2 * int(expected.size()) + 2);
    };
    if (dialog == kCredits) {
        whenModalShown([&](QWidget* form) {
            if (QTest::qWaitForWindowActive(form))
                walk(form);
        });
        frmCredits::ModificaCredits(QString());
    } else if (dialog == kBrowser) {
        frmSfoglia form;
        form.setDirInizio(m_pictures.path());
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        walk(&form);
    } else {
        ValueHost values;
        const QPointer<QWidget> form = values.open(dialog);
        QVERIFY(form);
        walk(form);
        delete form.data();
    }
    QVERIFY(!expected.isEmpty());
    const QSet<QString> missed = expected - reached;
    QVERIFY2(missed.isEmpty(), qPrintable(QStringList(missed.begin(), missed.end()).join(u' ')));
}

QTEST_MAIN(TestDialogKeys)
#include "tst_dialogkeys.moc"
