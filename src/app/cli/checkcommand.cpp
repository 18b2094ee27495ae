// check: what is wrong with a skin, found by the editor's own checks on the skin as the editor
// opens it, one problem a line for scripts (or JSON). The skin is opened in private folders, so
// that neither the user's working folder nor the skins folder beside the program is touched.
#include "app/cli/commands.h"
#include "app/cli/privateskin.h"

#include "skin/skindocument.h"
#include "validate/skinvalidator.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <algorithm>
#include <cstdio>

namespace {

const char kCheckUsage[] =
    QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO [--default PREDEFINITO] [--json]");

// A script tells "the skin has errors" from "there was no skin to check" by the status; a
// mistyped command line is the latter.
constexpr int kNoErrors = 0;
constexpr int kErrors = 1;
constexpr int kUnreadable = 2;

struct Options {
    QString package;
    bool hasDefault = false;
    QString defaultPackage;
    bool json = false;
};

bool parseOptions(const QStringList& args, Options* options) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args[i];
        if (arg == QLatin1String("--default") && i + 1 < args.size() && !options->hasDefault) {
            options->hasDefault = true;
            options->defaultPackage = args[++i];
        } else if (arg == QLatin1String("--json") && !options->json) {
            options->json = true;
        } else if (!arg.startsWith(QLatin1String("--")) && options->package.isEmpty()) {
            options->package = arg;
        } else {
            return false;
        }
    }
    return !options->package.isEmpty();
}

QJsonArray toJson(const QList<SkinProblem>& problems) {
    QJsonArray array;
    for (const SkinProblem& problem : problems) {
        array.append(QJsonObject{{QStringLiteral("severity"), severityWord(problem.severity)},
                                 {QStringLiteral("code"), problem.code},
                                 {QStringLiteral("key"), problem.key},
                                 {QStringLiteral("message"), problem.message}});
    }
    return array;
}

} // namespace

int commandCheck(const QStringList& args) {
    Options options;
    if (!parseOptions(args, &options)) {
        usageError("check", kCheckUsage);
        return kUnreadable;
    }

    PrivateSkin folders;
    if (!folders.prepare(options.package, options.hasDefault ? options.defaultPackage : QString()))
        return kUnreadable;

    SkinDocument document(nullptr);
    const SkinDocument::Outcome opened = document.open(folders.locations(), folders.name());
    if (!opened.error.isEmpty())
        printError(opened.error);
    if (!opened.ok || !opened.error.isEmpty())
        return kUnreadable;

    const QList<SkinProblem> problems = validateSkin(document);
    if (options.json) {
        printLine(
            QString::fromUtf8(QJsonDocument(toJson(problems)).toJson(QJsonDocument::Compact)));
    } else {
        // What came from the skin's files (a key, a value quoted in a message) is escaped, so
        // that every problem stays one line of four fields.
        for (const SkinProblem& problem : problems)
            printLine(severityWord(problem.severity) + u'\t' + problem.code + u'\t' +
                      escaped(problem.key) + u'\t' + escaped(problem.message));
    }
    const bool errors = std::any_of(problems.cbegin(), problems.cend(), [](const SkinProblem& p) {
        return p.severity == SkinProblem::Severity::Error;
    });
    return errors ? kErrors : kNoErrors;
}
