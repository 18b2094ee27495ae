#pragma once

#include "common/locations.h"

#include <QString>
#include <QStringList>

class QCoreApplication;

// The languages the programs speak: Italian, the language their texts are written in, and
// English, from translations/tessellary_en.ts.
inline const QString kItalian = QStringLiteral("it");
inline const QString kEnglish = QStringLiteral("en");

struct LanguageChoice {
    QString language;      // kItalian or kEnglish
    QStringList arguments; // the arguments it was chosen from, without the --lang option
};

// The language the user asks for: `--lang CODE` or `--lang=CODE` among `arguments` (given
// without the program's name) wins; otherwise the first language of the user's locale as Qt reads
// it (LANGUAGE, then LC_ALL, LC_MESSAGES, LANG). English gives English; any other language, and a
// code with no translation, Italian.
LanguageChoice chooseLanguage(const QStringList& arguments);

// The language for a list of preferred languages such as QLocale::uiLanguages() gives ("en-GB",
// "it_IT", "C"): only the first counts.
QString languageOf(const QStringList& preferred);

// Makes `language` the language of `app`: installs the program's translation (none for Italian)
// and Qt's own (Italian for Italian; none for English, in which Qt's texts are written), and makes
// it the default locale. Replaces whatever an earlier call installed. The translations are looked
// for in locations.translationsDir(), then in ../share/tessellary/translations beside the
// program, then (Qt's) where Qt keeps them. False when a translation was not found: the texts it
// would have translated stay Italian.
bool installTranslations(QCoreApplication& app, const QString& language,
                         const Locations& locations);
