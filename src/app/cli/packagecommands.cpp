// pack, unpack, title and list: thin layers over cBinary, so that the command line writes and
// reads packages exactly as the editor does.
#include "app/cli/commands.h"

#include "storage/cbinary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>

namespace {

// "skin.ini" first, then every other plain file in byte order of the names. Hidden files are
// left to CreaSkn, which skips them; the package itself, when it is written into the folder, is
// no file of the skin.
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

// Turns how a reading ended into the exit status, saying why when nothing else did.
int statusOf(cBinary::Esito esito, const QString& package) {
    switch (esito) {
    case cBinary::Esito::Completo:
        return 0;
    case cBinary::Esito::SenzaFirma:
        printError(QStringLiteral("Il file non è un pacchetto skin: ") + package);
        return 1;
    case cBinary::Esito::Incompleto:
        printError(QStringLiteral("Il pacchetto finisce prima di tutti i file che dichiara: ") +
                   package);
        return 1;
    case cBinary::Esito::Fallito:
        break;
    }
    return 1;
}

} // namespace

int commandPack(const QStringList& args) {
    if (args.size() < 4 || args[2] != QStringLiteral("--title"))
        return usageError("pack", "CARTELLA PACCHETTO --title TITOLO [NOME...]");
    const QString& folder = args[0];
    const QString& package = args[1];
    if (!QFileInfo(folder).isDir()) {
        printError(QStringLiteral("Errore 76: Impossibile trovare il percorso: ") + folder);
        return 1;
    }
    const QStringList names = args.size() > 4 ? args.mid(4) : defaultFileList(folder, package);
    cBinary binary(cliLocations());
    return binary.CreaSknAt(folder, names, package, args[3]) ? 0 : 1;
}

int commandUnpack(const QStringList& args) {
    if (args.size() != 2)
        return usageError("unpack", "PACCHETTO CARTELLA");
    cBinary binary(cliLocations());
    return statusOf(binary.EstraiSkinIn(args[0], args[1]), args[0]);
}

int commandTitle(const QStringList& args) {
    if (args.size() != 1)
        return usageError("title", "PACCHETTO");
    cBinary binary(cliLocations());
    const QString title = binary.EstraiTitolo(args[0]);
    if (errorReported())
        return 1;
    printLine(title);
    return 0;
}

int commandList(const QStringList& args) {
    if (args.size() != 1)
        return usageError("list", "PACCHETTO");
    cBinary binary(cliLocations());
    QList<cBinary::Voce> voci;
    const cBinary::Esito esito = binary.ElencaVoci(args[0], &voci);
    for (const cBinary::Voce& voce : voci)
        printLine(QString::number(voce.lunghezza) + u'\t' + voce.nome);
    return statusOf(esito, args[0]);
}
