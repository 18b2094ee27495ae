#include "common/language.h"

#include <QCoreApplication>
#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QPointer>
#include <QRegularExpression>
#include <QTranslator>

namespace {

const QString kLangOption = QStringLiteral("--lang");

// What an earlier installTranslations put in, so that a later one replaces it.
QList<QPointer<QTranslator>>& installed() {
    static QList<QPointer<QTranslator>> translators;
    return translators;
}

QStringList folders(const Locations& locations, bool withQt) {
    QStringList out{locations.translationsDir()};
    // The command line knows only its own folder; installed, its translations are in the share
    // folder, as the editor's are.
    const QString shared =
        QDir::cleanPath(locations.programDir + QStringLiteral("/../share/tessellary/translations"));
    if (!out.contains(shared))
        out << shared;
    if (withQt)
        out << QLibraryInfo::path(QLibraryInfo::TranslationsPath);
    return out;
}

bool install(QCoreApplication& app, const QString& name, const QStringList& where) {
    auto* translator = new QTranslator(&app);
    for (const QString& folder : where) {
        if (translator->load(name, folder)) {
            app.installTranslator(translator);
            installed().append(translator);
            return true;
        }
    }
    delete translator;
    return false;
}

} // namespace

QString languageOf(const QStringList& preferred) {
    if (preferred.isEmpty())
        return kItalian;
    // "en", "en-GB", "en_US.UTF-8", "en@latin"
    const QString first = preferred.first().toLower();
    const qsizetype end = first.indexOf(QRegularExpression(QStringLiteral("[^a-z]")));
    return first.left(end) == kEnglish ? kEnglish : kItalian;
}

LanguageChoice chooseLanguage(const QStringList& arguments) {
    LanguageChoice choice;
    QString asked;
    bool given = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments[i];
        if (arg == kLangOption) {
            // One left without its code at the end would otherwise be taken for a file name.
            if (i + 1 < arguments.size()) {
                asked = arguments[++i];
                given = true;
            }
        } else if (arg.startsWith(kLangOption + u'=')) {
            asked = arg.mid(kLangOption.size() + 1);
            given = true;
        } else {
            choice.arguments << arg;
        }
    }
    choice.language = languageOf(given ? QStringList{asked} : QLocale::system().uiLanguages());
    return choice;
}

bool installTranslations(QCoreApplication& app, const QString& language,
                         const Locations& locations) {
    for (const QPointer<QTranslator>& translator : std::as_const(installed())) {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    installed().clear();

    if (language == kEnglish) {
        const QLocale system = QLocale::system();
        QLocale::setDefault(system.language() == QLocale::English ? system
                                                                  : QLocale(QLocale::English));
        return install(app, QStringLiteral("tessellary_en"), folders(locations, false));
    }
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));
    // The copy bundled with the program first: an installed editor must not depend on which Qt
    // translations the system happens to have.
    return install(app, QStringLiteral("qtbase_it"), folders(locations, true));
}
