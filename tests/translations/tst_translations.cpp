// The English translation: complete for every text of the sources, loaded when asked for, and
// out of the way of Italian.
#include "app/frmmain.h"
#include "bitmap/frmeditor.h"
#include "common/language.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmcredits.h"
#include "dialogs/frmsfoglia.h"
#include "dialogs/frmtext.h"
#include "gradient/frmsfum.h"
#include "scriptedprompts.h"
#include "testsupport.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// What is wrong with the messages of a .ts file as lupdate writes it, one line each: a message
// with no finished translation, or whose translation does not take the same placeholders as its
// source (an argument would be dropped, or a "%2" shown). Vanished and obsolete ones do not count.
QStringList faultsOf(const QString& ts) {
    static const QRegularExpression message(
        QStringLiteral("<source>(.*?)</source>.*?"
                       "<translation(?: type=\"(\\w+)\")?>(.*?)</translation>"),
        QRegularExpression::DotMatchesEverythingOption);
    static const QRegularExpression placeholder(QStringLiteral("%L?([0-9]+)"));
    const auto placeholders = [](const QString& text) {
        QSet<QString> found;
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(text))
            found.insert(m.captured(1));
        return found;
    };
    QStringList faults;
    for (const QRegularExpressionMatch& m : message.globalMatch(ts)) {
        const QString type = m.captured(2);
        if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
            continue;
        if (type == QLatin1String("unfinished") || m.captured(3).isEmpty())
            faults << QStringLiteral("not translated: ") + m.captured(1);
        else if (placeholders(m.captured(3)) != placeholders(m.captured(1)))
            faults << QStringLiteral("placeholders differ: ") + m.captured(1);
    }
    return faults;
}

// tessellary-skn in a clean language environment plus `environment`: what it wrote, both streams.
QString runCli(const QStringList& args, const QStringList& environment) {
    QStringList env = environment;
    for (const QString& entry : QProcess::systemEnvironment())
        if (!entry.startsWith(QLatin1String("LANG")) && !entry.startsWith(QLatin1String("LC_")))
            env << entry;
    QProcess process;
    process.setEnvironment(env);
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.start(binDir() + QStringLiteral("/tessellary-skn"), args);
    process.waitForFinished(60000);
    return QString::fromUtf8(process.readAll());
}

// The texts of `dialog` that do not fit the room their control gives them, one line each.
QStringList cutTexts(QWidget* dialog) {
    QStringList cut;
    for (QWidget* w : dialog->findChildren<QWidget*>()) {
        auto* label = qobject_cast<QLabel*>(w);
        auto* button = qobject_cast<QAbstractButton*>(w);
        auto* group = qobject_cast<QGroupBox*>(w);
        const QString text = label    ? label->text()
                             : button ? button->text().remove(u'&')
                             : group  ? group->title()
                                      : QString();
        // The box or circle and its gap beside a check or radio button's text; a push button's or
        // a group's frame.
        const bool box = qobject_cast<QRadioButton*>(w) || qobject_cast<QCheckBox*>(w);
        const int frame = box ? 20 : button ? 6 : 10;
        const bool fits = !label ? w->fontMetrics().horizontalAdvance(text) + frame <= w->width()
                          : label->wordWrap() ? label->heightForWidth(w->width()) <= w->height()
                                              : w->sizeHint().width() <= w->width();
        if (w->isVisibleTo(dialog) && !text.isEmpty() && !fits)
            cut << text;
    }
    return cut;
}

bool install(const QString& language) {
    Locations locations;
    locations.programDir = binDir();
    return installTranslations(*QCoreApplication::instance(), language, locations);
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void everySourceTextIsTranslated();
    void languageIsChosen();
    void dialogTextsFit_data();
    void dialogTextsFit();
    void editorInLanguage_data();
    void editorInLanguage();
    void commandLineFollowsLocale_data();
    void commandLineFollowsLocale();

private:
    QTemporaryDir m_out; // the refreshed translation, what the preview writes
};

// The committed translation, refreshed from the sources as a translator would: every text the
// programs show must come out finished. A text added or changed without its English fails here.
void TestTranslations::everySourceTextIsTranslated() {
    const QString copy = m_out.filePath(QStringLiteral("tessellary_en.ts"));
    QVERIFY(QFile::copy(sourceDir() + QStringLiteral("/translations/tessellary_en.ts"), copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);
    qputenv("LUPDATE", TESS_LUPDATE);
    QProcess update;
    update.start(sourceDir() + QStringLiteral("/scripts/update-translations"), {copy});
    QVERIFY(update.waitForFinished(120000));
    QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0,
             update.readAllStandardError().constData());
    const QString refreshed = QString::fromUtf8(readFileBytes(copy));
    QVERIFY(refreshed.contains("<message>"));
    const QStringList faults = faultsOf(refreshed);
    QVERIFY2(faults.isEmpty(),
             qPrintable("Run scripts/update-translations, then translate:\n" + faults.join(u'\n')));
}

// --lang CODE or --lang=CODE, the last one given, chooses; English in any of its forms gives
// English, anything else Italian. The option is taken out of the arguments, even without its code.
void TestTranslations::languageIsChosen() {
    const LanguageChoice english = chooseLanguage({"a.skn", "--lang", "it", "--lang=en_US.UTF-8"});
    QCOMPARE(english.language, kEnglish);
    QCOMPARE(english.arguments, QStringList{"a.skn"});
    QCOMPARE(chooseLanguage({"--lang=enx"}).language, kItalian);
    QCOMPARE(chooseLanguage({"a.skn", "--lang"}).arguments, QStringList{"a.skn"});
    // Of the locale's preferred languages only the first counts.
    QCOMPARE(languageOf({"it-IT", "en"}), kItalian);
}

void TestTranslations::dialogTextsFit_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("dialog");
    for (const QString& language : {kItalian, kEnglish})
        for (const char* dialog :
             {"frmText", "frmColor", "frmSfum", "frmEditor", "frmCredits", "frmSfoglia"})
            QTest::addRow("%s %s", qPrintable(language), dialog) << language << dialog;
}

// The layouts were drawn for the Italian texts; the English ones must fit them as well.
void TestTranslations::dialogTextsFit() {
    QFETCH(QString, language);
    QFETCH(QString, dialog);
    QVERIFY(install(language));
    QStringList cut;
    if (dialog == QLatin1String("frmCredits")) {
        QTimer::singleShot(0, [&cut] {
            if (QWidget* shown = frmCredits::sharedInstance()) {
                cut = cutTexts(shown);
                shown->close();
            }
        });
        frmCredits::ModificaCredits(QString());
    } else {
        const std::unique_ptr<QWidget> form(dialog == u"frmText"    ? new frmText
                                            : dialog == u"frmColor" ? new frmColor
                                            : dialog == u"frmSfum"  ? new frmSfum
                                            : dialog == u"frmSfoglia"
                                                ? new frmSfoglia
                                                : static_cast<QWidget*>(new frmEditor));
        // The hint of a number setting that holds no number; the mask state of the editor.
        if (qobject_cast<frmText*>(form.get()))
            form->findChild<QLabel*>(QStringLiteral("lblHint"))->show();
        SkinRef none;
        if (auto* editor = qobject_cast<frmEditor*>(form.get()))
            editor->Avvia(nullptr, none, QVariant(), true);
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        cut = cutTexts(form.get());
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
}

void TestTranslations::editorInLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("qtCancel");
    QTest::newRow("en") << kEnglish << "The file is not a skin package: "
                        << QStringList{"&Skins", "&Edit", "&Options"} << "Cancel";
    // Back in Italian once English was installed: nothing of it is left over, and Qt's own texts
    // are Italian again (from the system when the build has no copy).
    QTest::newRow("it after en") << kItalian << "Il file non è un pacchetto skin: "
                                 << QStringList{"&Skins", "&Modifica", "&Opzioni"} << "Annulla";
}

// What `tessellary --lang en` does before the window is made: the menus, a message, Qt's buttons.
void TestTranslations::editorInLanguage() {
    QFETCH(QString, language);
    QFETCH(QString, message);
    QFETCH(QStringList, menus);
    QFETCH(QString, qtCancel);
    QVERIFY(install(kEnglish));
    QVERIFY(install(language));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), qtCancel);

    TestFolders folders;
    frmMain window(folders.locations());
    ScriptedPrompts prompts;
    window.setPrompts(&prompts);
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    QCOMPARE(titles, menus);

    // A file that is no package is refused with a message in the language asked for.
    const QString path = folders.skinsDir() + QStringLiteral("nota.skn");
    QVERIFY(writeFileBytes(path, "not a package"));
    QVERIFY(!window.OpenPackage(path));
    QCOMPARE(prompts.shownTexts(), QStringList{message + path});
}

void TestTranslations::commandLineFollowsLocale_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("expected");
    QTest::newRow("no locale") << QStringList{"help"} << QStringList() << "Uso:\n";
    QTest::newRow("LANGUAGE over LC_ALL")
        << QStringList{"help"} << QStringList{"LC_ALL=it_IT.UTF-8", "LANGUAGE=en:it"} << "Usage:\n";
    // A message of the core, through the same translator; the number's prefix stays.
    QTest::newRow("--lang over LANG")
        << QStringList{"--lang", "en", "title", "/nonexistent/skin.skn"}
        << QStringList{"LANG=it_IT.UTF-8"} << "Errore 53: File not found: /nonexistent/skin.skn";
    // preview paints, so its application is chosen before the option is taken out; the map's
    // captions come from the schema.
    const QString skin = binDir() + "/skins/(default).skn", map = m_out.filePath("map.json");
    QTest::newRow("preview map")
        << QStringList{"--lang", "en", "preview", skin, m_out.filePath("a.png"), "--map", map}
        << QStringList() << "\"Skin title\"";
}

// What tessellary-skn writes, and the map it was asked for.
void TestTranslations::commandLineFollowsLocale() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(QString, expected);
    QString output = runCli(arguments, environment);
    output += readFileBytes(m_out.filePath("map.json")); // once the run has written it
    QVERIFY2(output.contains(expected), qPrintable(output));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
