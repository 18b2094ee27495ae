// pack, unpack, title and list: thin layers over cBinary, so that the command line writes and
// reads packages exactly as the editor does.
#include "app/cli/commands.h"

#include "storage/cbinary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <sys/stat.h>

namespace {

const char kPackUsage[] =
    QT_TRANSLATE_NOOP("TessellarySkn", "CARTELLA PACCHETTO --title TITOLO [NOME...]");
const char kUnpackUsage[] = QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO CARTELLA [--overwrite]");
const char kPackageUsage[] = QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO");

// "skin.ini" first, then every other plain file in byte order of the names. Hidden files stay
// out (QDir lists them only when asked); the package itself, when it is written into the folder,
// is no file of the skin.
QStringList defaultFileList(const QString& folder, const QString& package) {
    const QDir dir(folder);
    QStringList names = dir.entryList(QDir::Files | QDir::NoSymLinks | QDir::NoDotAndDotDot);
    const QFileInfo target(package);
    names.removeIf([&](const QString& name) { return QFileInfo(dir, name) == target; });
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) {
        return QFile::encodeName(a) < QFile::encodeName(b);
    });
    const QString skinIni = QStringLiteral("skin.ini");
    if (names.removeAll(skinIni) > 0)
        names.prepend(skinIni);
    return names;
}

// The warning for what stands at path instead of a plain file.
QString notAFileText(const QString& name, const QString& path) {
    struct stat st {};
    if (::stat(QFile::encodeName(path).constData(), &st) == 0) {
        if (S_ISDIR(st.st_mode))
            return TessellarySkn::tr(
                       "Non è un file, non incluso nel pacchetto: %1 (è una cartella)")
                .arg(name);
        if (S_ISFIFO(st.st_mode))
            return TessellarySkn::tr("Non è un file, non incluso nel pacchetto: %1 (è una pipe)")
                .arg(name);
    }
    return TessellarySkn::tr("Non è un file, non incluso nel pacchetto: %1").arg(name);
}

// The names the user listed, as CreaSknAt is to take them. Every entry of a package unpacks into
// one folder, so a name with a folder part could never be put back where it was: it is refused
// before anything is written. A missing file or a folder is left out, but said, so that a typo in
// a script does not quietly make a package without the file; a link is left to CreaSknAt.
bool namedFiles(const QString& folder, const QStringList& given, QStringList* names) {
    for (const QString& name : given) {
        if (name.contains(u'/')) {
            printError(TessellarySkn::tr("Nome di file con una cartella, che nessuna estrazione "
                                         "potrebbe ripristinare: %1")
                           .arg(name));
            return false;
        }
    }
    const QDir dir(folder);
    for (const QString& name : given) {
        const QFileInfo info(dir, name);
        if (name.isEmpty()) {
            printWarning(TessellarySkn::tr("Nome di file vuoto, ignorato"));
        } else if (info.isSymLink() || info.isFile()) {
            *names << name;
        } else if (!info.exists()) {
            printWarning(
                TessellarySkn::tr("File non trovato, non incluso nel pacchetto: %1").arg(name));
        } else {
            printWarning(notAFileText(name, info.filePath()));
        }
    }
    return true;
}

// Turns how a reading ended into the exit status, saying why when nothing else did.
int statusOf(cBinary::Esito esito, const QString& package) {
    switch (esito) {
    case cBinary::Esito::Completo:
        return 0;
    case cBinary::Esito::SenzaFirma:
        printError(TessellarySkn::tr("Il file non è un pacchetto skin: %1").arg(package));
        return 1;
    case cBinary::Esito::Incompleto:
        printError(TessellarySkn::tr("Il pacchetto finisce prima di tutti i file che dichiara: %1")
                       .arg(package));
        return 1;
    case cBinary::Esito::Fallito:
        break;
    }
    return 1;
}

} // namespace

int commandPack(const QStringList& args) {
    if (args.size() < 4 || args[2] != QStringLiteral("--title"))
        return usageError("pack", kPackUsage);
    const QString& folder = args[0];
    const QString& package = args[1];
    if (!QFileInfo(folder).isDir()) {
        printError(fileErrorText(ErrorCode::PathNotFound, folder));
        return 1;
    }
    // A name given on purpose is packed even when hidden; the folder's own listing is not.
    const bool named = args.size() > 4;
    QStringList names;
    if (!named)
        names = defaultFileList(folder, package);
    else if (!namedFiles(folder, args.mid(4), &names))
        return 1;
    cBinary binary(cliLocations());
    return binary.CreaSknAt(folder, names, package, args[3], named) ? 0 : 1;
}

int commandUnpack(const QStringList& args) {
    QStringList paths = args;
    const qsizetype overwrite = paths.removeAll(QStringLiteral("--overwrite"));
    if (paths.size() != 2 || overwrite > 1 || paths[1].isEmpty())
        return usageError("unpack", kUnpackUsage);
    cBinary binary(cliLocations());
    return statusOf(binary.EstraiSkinIn(paths[0], paths[1], overwrite == 1), paths[0]);
}

int commandTitle(const QStringList& args) {
    if (args.size() != 1)
        return usageError("title", kPackageUsage);
    cBinary binary(cliLocations());
    const QString title = binary.EstraiTitolo(args[0]);
    if (errorReported())
        return 1;
    // An empty title is also what a file without the signature gives: an empty line would pass
    // for the title of a package.
    if (title.isEmpty() && !cBinary::HaFirmaSkin(args[0]))
        return statusOf(cBinary::Esito::SenzaFirma, args[0]);
    printLine(escaped(title));
    return 0;
}

int commandList(const QStringList& args) {
    if (args.size() != 1)
        return usageError("list", kPackageUsage);
    cBinary binary(cliLocations());
    QList<cBinary::Voce> voci;
    const cBinary::Esito esito = binary.ElencaVoci(args[0], &voci);
    for (const cBinary::Voce& voce : voci)
        printLine(QString::number(voce.lunghezza) + u'\t' + escaped(voce.nome));
    return statusOf(esito, args[0]);
}
