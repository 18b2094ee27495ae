// check: what is wrong with a skin, found by the editor's own checks on the skin as the editor
// opens it, one problem a line for scripts (or JSON). The skin is opened in private folders, so
// that neither the user's working folder nor the skins folder beside the program is touched.
#include "app/cli/commands.h"

#include "skin/skindocument.h"
#include "storage/cbinary.h"
#include "storage/leftovers.h"
#include "storage/safefolder.h"
#include "validate/skinvalidator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

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

// Whether the package reads to the end of what it declares. Opening stops quietly where a
// package is cut short between two files and keeps what it read, so it is listed first.
bool readsWhole(const QString& path, const QString& shownPath) {
    QList<cBinary::Voce> entries;
    cBinary binary(cliLocations());
    switch (binary.ElencaVoci(path, &entries)) {
    case cBinary::Esito::Completo:
        return true;
    case cBinary::Esito::SenzaFirma:
        printError(TessellarySkn::tr("Il file non è un pacchetto skin: %1").arg(shownPath));
        return false;
    case cBinary::Esito::Incompleto:
        printError(TessellarySkn::tr("Il pacchetto finisce prima di tutti i file che dichiara: %1")
                       .arg(shownPath));
        return false;
    case cBinary::Esito::Fallito:
        break; // reported by cBinary
    }
    return false;
}

// Copies the package into the private skins folder and checks the copy, which is what gets
// opened: a package rewritten meanwhile is caught as well.
bool copyWhole(const QString& from, const QString& to) {
    if (!readsWhole(from, from))
        return false;
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly)) {
        printError(fileErrorText(ErrorCode::PathFileAccess, from));
        return false;
    }
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError) {
        printError(fileErrorText(ErrorCode::DeviceIO, from));
        return false;
    }
    if (SafeFolder::writeFileAt(to, bytes) != 0) {
        printError(
            TessellarySkn::tr("Impossibile copiare il pacchetto nella cartella temporanea: %1")
                .arg(QFileInfo(to).absolutePath()));
        return false;
    }
    return readsWhole(to, from);
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

    // One folder named for this process: a command killed half-way leaves it behind, and the
    // next one that starts removes it.
    const QString parent = cliLocations().tempDir;
    leftovers::removeDead(parent);
    QTemporaryDir root(leftovers::temporaryFolderTemplate(parent));
    if (!root.isValid()) {
        printError(TessellarySkn::tr("Impossibile creare le cartelle temporanee in %1: %2")
                       .arg(QDir::toNativeSeparators(parent), root.errorString()));
        return kUnreadable;
    }
    Locations locations;
    locations.programDir = root.path() + QStringLiteral("/program");
    locations.tempDir = root.path() + QStringLiteral("/temp");
    if (!QDir().mkpath(locations.skinsDir()) || !QDir().mkpath(locations.tempDir)) {
        printError(TessellarySkn::tr("Impossibile creare le cartelle temporanee"));
        return kUnreadable;
    }

    // Without a default package the skin is read alone, as the default skin itself is read: what
    // it lacks, nothing provides.
    const QString defaultName = locations.defaultSkinName();
    QString name = defaultName;
    if (options.hasDefault) {
        if (!copyWhole(options.defaultPackage, locations.skinsDir() + defaultName))
            return kUnreadable;
        name = QStringLiteral("skin.skn");
    }
    if (!copyWhole(options.package, locations.skinsDir() + name))
        return kUnreadable;

    SkinDocument document(nullptr);
    const SkinDocument::Outcome opened = document.open(locations, name);
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
