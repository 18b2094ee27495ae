// The English translation: complete for every text of the sources, loaded when asked for, and
// out of the way of Italian.
#include "app/frmmain.h"
#include "bitmap/frmeditor.h"
#include "common/errors.h"
#include "common/language.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmcredits.h"
#include "dialogs/frmsfoglia.h"
#include "dialogs/frmtext.h"
#include "gradient/frmsfum.h"
#include "proplist/proplistmodel.h"
#include "scriptedprompts.h"
#include "skin/skinschema.h"
#include "testsupport.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>

#include <QCoreApplication>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPointer>
#include <QProcess>
#include <QRadioButton>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <QTimer>
#include <QXmlStreamReader>
#include <QtTest>

namespace {

// What is wrong with the messages of a .ts file, one line each: a message with no finished
// translation, or whose translation does not take the same placeholders as its source (an
// argument would be dropped, or a "%2" shown).
QStringList faultsOf(const QByteArray& ts) {
    static const QRegularExpression placeholder(QStringLiteral("%L?[0-9]+"));
    const auto placeholders = [](const QString& text) {
        QSet<QString> found;
        for (const QRegularExpressionMatch& m : placeholder.globalMatch(text))
            found.insert(m.captured().remove(u'L'));
        return found;
    };
    QStringList faults;
    QXmlStreamReader xml(ts);
    QString context;
    QString source;
    while (!xml.atEnd()) {
        xml.readNext();
        if (!xml.isStartElement())
            continue;
        if (xml.name() == QLatin1String("name")) {
            context = xml.readElementText();
        } else if (xml.name() == QLatin1String("source")) {
            // lupdate writes a control character such as a CR as a <byte> element inside.
            source = xml.readElementText(QXmlStreamReader::IncludeChildElements);
        } else if (xml.name() == QLatin1String("translation")) {
            const QString type = xml.attributes().value(QLatin1String("type")).toString();
            const QString translation = xml.readElementText(QXmlStreamReader::IncludeChildElements);
            const QString where = context + QStringLiteral(": ") + source;
            if (type == QLatin1String("vanished") || type == QLatin1String("obsolete"))
                continue;
            if (type == QLatin1String("unfinished") || translation.isEmpty())
                faults << QStringLiteral("not translated: ") + where;
            else if (placeholders(translation) != placeholders(source))
                faults << QStringLiteral("placeholders differ: ") + where;
        }
    }
    if (xml.hasError())
        faults << QStringLiteral("unreadable: ") + xml.errorString();
    return faults;
}

QByteArray tsWith(const QString& messages) {
    return (QStringLiteral("<?xml version=\"1.0\" encoding=\"utf-8\"?><!DOCTYPE TS>"
                           "<TS version=\"2.1\" language=\"en\" sourcelanguage=\"it\"><context>"
                           "<name>Ctx</name>") +
            messages + QStringLiteral("</context></TS>"))
        .toUtf8();
}

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// tessellary-skn in a clean language environment plus `environment`.
Run runCli(const QStringList& args, const QStringList& environment) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"LANGUAGE", "LC_ALL", "LC_MESSAGES", "LANG"})
        env.remove(QLatin1String(name));
    for (const QString& entry : environment)
        env.insert(entry.section(u'=', 0, 0), entry.section(u'=', 1));
    QProcess process;
    process.setProcessEnvironment(env);
    process.start(binDir() + QStringLiteral("/tessellary-skn"), args);
    Run run;
    if (!process.waitForFinished(60000))
        return run;
    run.status = process.exitCode();
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

// The texts of `dialog` that do not fit the room their control gives them, one line each.
QStringList cutTexts(QWidget* dialog) {
    QStringList cut;
    const auto plain = [](QString text) {
        return text.remove(u'&');
    };
    for (QLabel* label : dialog->findChildren<QLabel*>()) {
        if (!label->isVisibleTo(dialog) || label->text().isEmpty())
            continue;
        const bool fits = label->wordWrap()
                              ? label->heightForWidth(label->width()) <= label->height()
                              : label->sizeHint().width() <= label->width();
        if (!fits)
            cut << label->text();
    }
    for (QAbstractButton* button : dialog->findChildren<QAbstractButton*>()) {
        if (!button->isVisibleTo(dialog) || button->text().isEmpty())
            continue;
        // The box or circle and its gap beside the text of a check or radio button; a push
        // button's frame.
        const bool indicator =
            qobject_cast<QRadioButton*>(button) || qobject_cast<QCheckBox*>(button);
        const int frame = indicator ? 20 : 6;
        if (button->fontMetrics().horizontalAdvance(plain(button->text())) + frame >
            button->width())
            cut << button->text();
    }
    for (QGroupBox* group : dialog->findChildren<QGroupBox*>()) {
        if (group->isVisibleTo(dialog) &&
            group->fontMetrics().horizontalAdvance(group->title()) + 10 > group->width())
            cut << group->title();
    }
    return cut;
}

Locations buildLocations() {
    Locations locations;
    locations.programDir = binDir();
    return locations;
}

} // namespace

class TestTranslations : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void cleanup();
    void faultsAreFound_data();
    void faultsAreFound();
    void everySourceTextIsTranslated();
    void languageOfPreferredLanguages_data();
    void languageOfPreferredLanguages();
    void langOptionIsTakenOut_data();
    void langOptionIsTakenOut();
    void englishInstalled();
    void italianComesBack();
    void dialogTextsFit_data();
    void dialogTextsFit();
    void editorInLanguage_data();
    void editorInLanguage();
    void commandLineFollowsLocale_data();
    void commandLineFollowsLocale();
    void commandLinePreviewMapInEnglish();
};

void TestTranslations::cleanup() {
    installTranslations(*QCoreApplication::instance(), kItalian, buildLocations());
}

void TestTranslations::faultsAreFound_data() {
    QTest::addColumn<QString>("messages");
    QTest::addColumn<int>("faults");
    QTest::newRow("finished") << "<message><source>Ciao %1</source>"
                                 "<translation>Hello %1</translation></message>"
                              << 0;
    QTest::newRow("unfinished") << "<message><source>Ciao</source>"
                                   "<translation type=\"unfinished\">Hello</translation></message>"
                                << 1;
    QTest::newRow("empty") << "<message><source>Ciao</source><translation></translation>"
                              "</message>"
                           << 1;
    QTest::newRow("placeholder lost") << "<message><source>%1 di %2</source>"
                                         "<translation>%1 of</translation></message>"
                                      << 1;
    QTest::newRow("placeholder renumbered") << "<message><source>%1 di %2</source>"
                                               "<translation>%1 of %3</translation></message>"
                                            << 1;
    QTest::newRow("control character")
        << "<message><source>Uno<byte value=\"xd\"/>\nDue %1</source>"
           "<translation>One<byte value=\"xd\"/>\nTwo %1"
           "</translation></message>"
        << 0;
    QTest::newRow("control character, unfinished")
        << "<message><source>Uno<byte value=\"xd\"/>\nDue</source>"
           "<translation type=\"unfinished\"></translation></message>"
        << 1;
    QTest::newRow("vanished") << "<message><source>Ciao</source>"
                                 "<translation type=\"vanished\"></translation></message>"
                              << 0;
}

void TestTranslations::faultsAreFound() {
    QFETCH(QString, messages);
    QFETCH(int, faults);
    QCOMPARE(faultsOf(tsWith(messages)).size(), faults);
}

// The committed translation, refreshed from the sources as a translator would: every text the
// programs show must come out finished. A text added or changed without its English fails here.
void TestTranslations::everySourceTextIsTranslated() {
    const QString committed = sourceDir() + QStringLiteral("/translations/tessellary_en.ts");
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString copy = dir.path() + QStringLiteral("/tessellary_en.ts");
    QVERIFY(QFile::copy(committed, copy));
    QFile::setPermissions(copy, QFile::ReadOwner | QFile::WriteOwner);

    QProcess update;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("LUPDATE"), QStringLiteral(TESS_LUPDATE));
    update.setProcessEnvironment(env);
    update.start(QStringLiteral("bash"),
                 {sourceDir() + QStringLiteral("/scripts/update-translations"), copy});
    QVERIFY(update.waitForFinished(120000));
    QVERIFY2(update.exitStatus() == QProcess::NormalExit && update.exitCode() == 0,
             update.readAllStandardError().constData());

    const QByteArray refreshed = readFileBytes(copy);
    QVERIFY(refreshed.contains("<context>"));
    const QStringList faults = faultsOf(refreshed);
    QVERIFY2(faults.isEmpty(),
             qPrintable(QStringLiteral("translations/tessellary_en.ts lacks (run "
                                       "scripts/update-translations, then translate):\n") +
                        faults.join(u'\n')));
}

void TestTranslations::languageOfPreferredLanguages_data() {
    QTest::addColumn<QStringList>("preferred");
    QTest::addColumn<QString>("language");
    QTest::newRow("none") << QStringList() << kItalian;
    QTest::newRow("en") << QStringList{QStringLiteral("en")} << kEnglish;
    QTest::newRow("en-GB") << QStringList{QStringLiteral("en-GB"), QStringLiteral("it")}
                           << kEnglish;
    QTest::newRow("en_US.UTF-8") << QStringList{QStringLiteral("en_US.UTF-8")} << kEnglish;
    QTest::newRow("it first") << QStringList{QStringLiteral("it-IT"), QStringLiteral("en")}
                              << kItalian;
    QTest::newRow("fr") << QStringList{QStringLiteral("fr-FR")} << kItalian;
    QTest::newRow("C") << QStringList{QStringLiteral("C")} << kItalian;
    QTest::newRow("starting with en") << QStringList{QStringLiteral("enx")} << kItalian;
}

void TestTranslations::languageOfPreferredLanguages() {
    QFETCH(QStringList, preferred);
    QFETCH(QString, language);
    QCOMPARE(languageOf(preferred), language);
}

void TestTranslations::langOptionIsTakenOut_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("rest");
    const QString skin = QStringLiteral("Blu.skn");
    QTest::newRow("before") << QStringList{QStringLiteral("--lang"), QStringLiteral("en"), skin}
                            << kEnglish << QStringList{skin};
    QTest::newRow("after") << QStringList{skin, QStringLiteral("--lang"), QStringLiteral("en")}
                           << kEnglish << QStringList{skin};
    QTest::newRow("with =") << QStringList{QStringLiteral("--lang=en"), skin} << kEnglish
                            << QStringList{skin};
    QTest::newRow("italian") << QStringList{QStringLiteral("--lang"), QStringLiteral("it")}
                             << kItalian << QStringList();
    QTest::newRow("no translation")
        << QStringList{QStringLiteral("--lang=de"), skin} << kItalian << QStringList{skin};
    QTest::newRow("last wins") << QStringList{QStringLiteral("--lang=it"),
                                              QStringLiteral("--lang=en")}
                               << kEnglish << QStringList();
    QTest::newRow("code missing") << QStringList{skin, QStringLiteral("--lang")} << QString()
                                  << QStringList{skin};
}

void TestTranslations::langOptionIsTakenOut() {
    QFETCH(QStringList, arguments);
    QFETCH(QString, language);
    QFETCH(QStringList, rest);
    const LanguageChoice choice = chooseLanguage(arguments);
    // Without a code the locale decides, which this test does not fix.
    if (!language.isEmpty())
        QCOMPARE(choice.language, language);
    QCOMPARE(choice.arguments, rest);
}

void TestTranslations::englishInstalled() {
    QVERIFY(installTranslations(*QCoreApplication::instance(), kEnglish, buildLocations()));

    const auto items = skinSchemaItems();
    const auto title = std::find_if(items.begin(), items.end(), [](const SchemaItem& item) {
        return qstrcmp(item.key, "Title") == 0;
    });
    QVERIFY(title != items.end());
    QCOMPARE(translatedCaption(*title), QStringLiteral("Skin title"));
    QCOMPARE(translatedCaption(skinSchemaCategories().front()), QStringLiteral("General settings"));

    // The list shows what the schema loads into it.
    TestFolders folders;
    QVERIFY(folders.isValid());
    SkinRef skin = std::make_shared<cSkin>(folders.locations());
    PropListModel model;
    loadSkinSchema(model, skin);
    QCOMPARE(model.category(1).Caption, QStringLiteral("General settings"));
    QCOMPARE(model.item(1, 1).Caption, QStringLiteral("Skin title"));

    // The number and its prefix stay; the description is English.
    QCOMPARE(errorDescription(ErrorCode::FileNotFound), QStringLiteral("File not found"));
    ErrorRecorder errors;
    reportError(ErrorCode::DiskFull);
    QCOMPARE(errors.texts(), QStringList{QStringLiteral("Errore 61: Disk full")});

    // Qt's own buttons: no Italian translation of Qt's is in the way.
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Cancel"));
}

void TestTranslations::italianComesBack() {
    QVERIFY(installTranslations(*QCoreApplication::instance(), kEnglish, buildLocations()));
    // Italian needs Qt's Italian translation, from the system when the build has no copy.
    QVERIFY(installTranslations(*QCoreApplication::instance(), kItalian, buildLocations()));
    QCOMPARE(translatedCaption(skinSchemaCategories().front()),
             QStringLiteral("Impostazioni generali"));
    QCOMPARE(errorDescription(ErrorCode::FileNotFound),
             QStringLiteral("Impossibile trovare il file"));
    QCOMPARE(QCoreApplication::translate("QPlatformTheme", "Cancel"), QStringLiteral("Annulla"));
}

void TestTranslations::dialogTextsFit_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QString>("dialog");
    for (const QString& language : {kItalian, kEnglish}) {
        for (const char* dialog :
             {"frmText", "frmColor", "frmSfum", "frmEditor", "frmCredits", "frmSfoglia"})
            QTest::addRow("%s %s", qPrintable(language), dialog) << language << dialog;
    }
}

// The layouts were drawn for the Italian texts; the English ones must fit them as well.
void TestTranslations::dialogTextsFit() {
    QFETCH(QString, language);
    QFETCH(QString, dialog);
    QVERIFY(installTranslations(*QCoreApplication::instance(), language, buildLocations()));
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
        std::unique_ptr<QWidget> form;
        if (dialog == QLatin1String("frmText")) {
            form = std::make_unique<frmText>();
            // The hint of a number setting that holds no number.
            form->findChild<QLabel*>(QStringLiteral("lblHint"))->show();
        } else if (dialog == QLatin1String("frmColor")) {
            form = std::make_unique<frmColor>();
        } else if (dialog == QLatin1String("frmSfum")) {
            form = std::make_unique<frmSfum>();
        } else if (dialog == QLatin1String("frmSfoglia")) {
            form = std::make_unique<frmSfoglia>();
        } else {
            auto editor = std::make_unique<frmEditor>();
            SkinRef none;
            editor->Avvia(nullptr, none, QVariant(), true); // with the mask state shown
            form = std::move(editor);
        }
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
        cut = cutTexts(form.get());
    }
    QVERIFY2(cut.isEmpty(), qPrintable(cut.join(QStringLiteral(" | "))));
}

void TestTranslations::editorInLanguage_data() {
    QTest::addColumn<QString>("language");
    QTest::addColumn<QStringList>("menus");
    QTest::addColumn<QString>("exit");
    QTest::addColumn<QString>("message");
    QTest::addColumn<QString>("label");
    QTest::addColumn<QString>("cancel");
    QTest::newRow("en") << kEnglish
                        << QStringList{QStringLiteral("&Skins"), QStringLiteral("&Edit"),
                                       QStringLiteral("&Options")}
                        << QStringLiteral("E&xit")
                        << QStringLiteral("The file is not a skin package: ")
                        << QStringLiteral("Enter the value of this setting:")
                        << QStringLiteral("Cancel");
    // Back in Italian once English was installed: nothing of it is left over.
    QTest::newRow("it after en") << kItalian
                                 << QStringList{QStringLiteral("&Skins"),
                                                QStringLiteral("&Modifica"),
                                                QStringLiteral("&Opzioni")}
                                 << QStringLiteral("&Esci")
                                 << QStringLiteral("Il file non è un pacchetto skin: ")
                                 << QStringLiteral("Inserisci il valore di questa impostazione:")
                                 << QStringLiteral("Annulla");
}

// What `tessellary --lang en` does before the window is made: the menus, a message, a dialog.
void TestTranslations::editorInLanguage() {
    QFETCH(QString, language);
    QFETCH(QStringList, menus);
    QFETCH(QString, exit);
    QFETCH(QString, message);
    QFETCH(QString, label);
    QFETCH(QString, cancel);
    QVERIFY(installTranslations(*QCoreApplication::instance(), kEnglish, buildLocations()));
    QVERIFY(installTranslations(*QCoreApplication::instance(), language, buildLocations()));

    TestFolders folders;
    QVERIFY(folders.isValid());
    frmMain window(folders.locations());
    ScriptedPrompts prompts;
    window.setPrompts(&prompts);
    QStringList titles;
    for (QAction* action : window.menuBar()->actions())
        titles << action->text();
    QCOMPARE(titles, menus);
    QCOMPARE(window.findChild<QAction*>(QStringLiteral("mnuExit"))->text(), exit);

    // A file that is no package is refused with a message in the language asked for.
    const QString path = folders.skinsDir() + QStringLiteral("nota.skn");
    QVERIFY(writeFileBytes(path, "not a package"));
    QVERIFY(!window.OpenPackage(path));
    QCOMPARE(prompts.shownTexts(), QStringList{message + path});

    frmText dialog;
    QCOMPARE(dialog.findChild<QLabel*>(QStringLiteral("Label1"))->text(), label);
    QCOMPARE(dialog.findChild<QPushButton*>(QStringLiteral("cmdAnnulla"))->text(), cancel);
}

void TestTranslations::commandLineFollowsLocale_data() {
    QTest::addColumn<QStringList>("arguments");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<bool>("english");
    const QStringList help{QStringLiteral("help")};
    QTest::newRow("no locale") << help << QStringList() << false;
    QTest::newRow("LANG en") << help << QStringList{QStringLiteral("LANG=en_US.UTF-8")} << true;
    QTest::newRow("LANG fr") << help << QStringList{QStringLiteral("LANG=fr_FR.UTF-8")} << false;
    QTest::newRow("LANG C") << help << QStringList{QStringLiteral("LANG=C")} << false;
    QTest::newRow("LC_MESSAGES over LANG") << help
                                           << QStringList{QStringLiteral("LANG=it_IT.UTF-8"),
                                                          QStringLiteral("LC_MESSAGES=en_GB.UTF-8")}
                                           << true;
    QTest::newRow("LC_ALL over LC_MESSAGES")
        << help
        << QStringList{QStringLiteral("LC_MESSAGES=en_GB.UTF-8"),
                       QStringLiteral("LC_ALL=it_IT.UTF-8")}
        << false;
    QTest::newRow("LANGUAGE over LC_ALL")
        << help
        << QStringList{QStringLiteral("LC_ALL=it_IT.UTF-8"), QStringLiteral("LANGUAGE=en:it")}
        << true;
    QTest::newRow("LANGUAGE's first entry")
        << help << QStringList{QStringLiteral("LANG=en_US.UTF-8"), QStringLiteral("LANGUAGE=it:en")}
        << false;
    QTest::newRow("--lang en") << QStringList{QStringLiteral("--lang"), QStringLiteral("en"),
                                              QStringLiteral("help")}
                               << QStringList{QStringLiteral("LANG=it_IT.UTF-8")} << true;
    QTest::newRow("--lang it") << QStringList{QStringLiteral("help"), QStringLiteral("--lang=it")}
                               << QStringList{QStringLiteral("LANGUAGE=en")} << false;
}

void TestTranslations::commandLineFollowsLocale() {
    QFETCH(QStringList, arguments);
    QFETCH(QStringList, environment);
    QFETCH(bool, english);
    const Run help = runCli(arguments, environment);
    QCOMPARE(help.status, 0);
    QVERIFY2(help.out.startsWith(english ? QStringLiteral("Usage:\n") : QStringLiteral("Uso:\n")),
             qPrintable(help.out));
    QCOMPARE(help.out.contains(QStringLiteral("FOLDER PACKAGE --title TITLE")), english);

    // A message of the core, through the same translator.
    QStringList missing = arguments;
    missing.replace(missing.indexOf(QStringLiteral("help")), QStringLiteral("title"));
    missing << QStringLiteral("/nonexistent/skin.skn");
    const Run title = runCli(missing, environment);
    QCOMPARE(title.status, 1);
    QCOMPARE(title.err.trimmed(), english
                                      ? QStringLiteral("Errore 53: File not found: "
                                                       "/nonexistent/skin.skn")
                                      : QStringLiteral("Errore 53: Impossibile trovare il file: "
                                                       "/nonexistent/skin.skn"));
}

// preview paints, so its application is chosen before the language option is taken out; the
// map's captions come from the schema, in the language asked for.
void TestTranslations::commandLinePreviewMapInEnglish() {
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString png = dir.path() + QStringLiteral("/preview.png");
    const QString map = dir.path() + QStringLiteral("/map.json");
    const Run run = runCli(
        {QStringLiteral("--lang"), QStringLiteral("en"), QStringLiteral("preview"),
         binDir() + QStringLiteral("/skins/(default).skn"), png, QStringLiteral("--map"), map},
        {});
    QVERIFY2(run.status == 0, qPrintable(run.err));
    QVERIFY(QFile::exists(png));
    const QJsonArray parts = QJsonDocument::fromJson(readFileBytes(map)).array();
    QVERIFY(!parts.isEmpty());
    QString titleCaption;
    for (const QJsonValue& part : parts) {
        if (part.toObject().value(QStringLiteral("key")).toString() == QLatin1String("Title"))
            titleCaption = part.toObject().value(QStringLiteral("caption")).toString();
    }
    QCOMPARE(titleCaption, QStringLiteral("Skin title"));
}

QTEST_MAIN(TestTranslations)
#include "tst_translations.moc"
