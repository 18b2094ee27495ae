// tessellary-skn: packs, unpacks and inspects skin packages from the command line.
#include "app/cli/commands.h"

#include <QCoreApplication>
#include <QGuiApplication>

#include <cstdio>
#include <cstring>
#include <iterator>
#include <memory>

namespace {

// One row per command; a group of commands lives in a source file of its own.
const Command kCommands[] = {
    {"pack", commandPack, "CARTELLA PACCHETTO --title TITOLO [NOME...]"},
    {"unpack", commandUnpack, "PACCHETTO CARTELLA [--overwrite]"},
    {"title", commandTitle, "PACCHETTO"},
    {"list", commandList, "PACCHETTO"},
    {"settings", commandSettings, "PACCHETTO [--default PREDEFINITO]"},
    {"resave", commandResave, "PACCHETTO [--default PREDEFINITO] [--credits TESTO]"},
    {"check", commandCheck, "PACCHETTO [--default PREDEFINITO] [--json]"},
    {"preview", commandPreview,
     "PACCHETTO OUTPUT.png [--default PREDEFINITO] [--size LxA] [--scale N] [--map MAPPA.json]"},
};

// What a script must know beyond the arguments: what may be lost, and how text is shown.
const char kNotes[] =
    "unpack legge e controlla tutto il pacchetto prima di scrivere e non cancella nulla: la\n"
    "  CARTELLA viene creata se manca e i file che vi esistono già restano; se il pacchetto ne\n"
    "  sostituirebbe uno non scrive niente, a meno di --overwrite, che sostituisce solo i file\n"
    "  ordinari (mai collegamenti o cartelle).\n"
    "pack con dei NOMI mette nel pacchetto proprio quei file, anche nascosti (un nome non può\n"
    "  contenere cartelle); senza NOMI, tutti i file non nascosti della CARTELLA.\n"
    "check stampa un problema per riga (gravità, codice, chiave, messaggio, separati da\n"
    "  tabulazioni) o, con --json, un array; esce con 0 senza errori (gli avvisi non contano), 1\n"
    "  con almeno un errore, 2 se il pacchetto non si legge per intero.\n"
    "Nei risultati e nei messaggi: caratteri di controllo come \\n \\r \\t \\xHH, barra rovescia "
    "come \\\\.\n";

void printUsage(std::FILE* out) {
    std::fprintf(out, "Uso:\n");
    for (const Command& command : kCommands)
        std::fprintf(out, "  tessellary-skn %s %s\n", command.name, command.usage);
    std::fprintf(out, "\n%s", kNotes);
}

} // namespace

int main(int argc, char** argv) {
    // preview draws text, which takes a GUI application; it shows no window, so it paints on the
    // off-screen platform whatever display there is, or is not.
    const bool paints = argc > 1 && std::strcmp(argv[1], "preview") == 0;
    if (paints)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application =
        paints ? std::make_unique<QGuiApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    installCliReporter();
    QStringList args = app.arguments().mid(1);
    if (args.isEmpty()) {
        printUsage(stderr);
        return 1;
    }
    const QString name = args.takeFirst();
    if (name == QStringLiteral("help") || name == QStringLiteral("--help") ||
        name == QStringLiteral("-h")) {
        printUsage(stdout);
        return 0;
    }
    for (const Command& command : kCommands) {
        if (name == QLatin1String(command.name)) {
            const int status = command.run(args);
            std::fflush(stdout);
            return status;
        }
    }
    std::fprintf(stderr, "Comando sconosciuto: %s\n", escaped(name).toUtf8().constData());
    printUsage(stderr);
    return 1;
}
