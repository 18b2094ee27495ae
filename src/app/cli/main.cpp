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
// The usages are the ones the commands print when their arguments are wrong.
const Command kCommands[] = {
    {"pack", commandPack,
     QT_TRANSLATE_NOOP("TessellarySkn", "CARTELLA PACCHETTO --title TITOLO [NOME...]")},
    {"unpack", commandUnpack,
     QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO CARTELLA [--overwrite]")},
    {"title", commandTitle, QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO")},
    {"list", commandList, QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO")},
    {"settings", commandSettings,
     QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO [--default PREDEFINITO]")},
    {"resave", commandResave,
     QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO [--default PREDEFINITO] [--credits TESTO]")},
    {"check", commandCheck,
     QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO [--default PREDEFINITO] [--json]")},
    {"preview", commandPreview,
     QT_TRANSLATE_NOOP("TessellarySkn", "PACCHETTO OUTPUT.png [--default PREDEFINITO] [--size "
                                        "LxA] [--scale N] [--map MAPPA.json]")},
};

// What a script must know beyond the arguments: what may be lost, and how text is shown.
const char kNotes[] = QT_TRANSLATE_NOOP(
    "TessellarySkn",
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
    "come \\\\.\n"
    "--lang en scrive i messaggi in inglese, --lang it in italiano; senza, vale la lingua\n"
    "  dell'ambiente (LANGUAGE, LC_ALL, LC_MESSAGES, LANG).\n");

void printUsage(std::FILE* out) {
    QString text = TessellarySkn::tr("Uso:") + u'\n';
    for (const Command& command : kCommands)
        text += QStringLiteral("  tessellary-skn %1 %2\n")
                    .arg(QLatin1String(command.name),
                         QCoreApplication::translate("TessellarySkn", command.usage));
    text += u'\n' + QCoreApplication::translate("TessellarySkn", kNotes);
    std::fputs(text.toUtf8().constData(), out);
}

// The command's name, looked for before the application exists: past a --lang option.
const char* commandName(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--lang") == 0)
            ++i;
        else if (std::strncmp(argv[i], "--lang=", 7) != 0)
            return argv[i];
    }
    return "";
}

} // namespace

int main(int argc, char** argv) {
    // preview draws text, which takes a GUI application; it shows no window, so it paints on the
    // off-screen platform whatever display there is, or is not.
    const bool paints = std::strcmp(commandName(argc, argv), "preview") == 0;
    if (paints)
        qputenv("QT_QPA_PLATFORM", "offscreen");
    const std::unique_ptr<QCoreApplication> application =
        paints ? std::make_unique<QGuiApplication>(argc, argv)
               : std::make_unique<QCoreApplication>(argc, argv);
    QCoreApplication& app = *application;
    installCliReporter();
    QStringList args = setUpLanguage(app, app.arguments().mid(1));
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
    const QString unknown = TessellarySkn::tr("Comando sconosciuto: %1").arg(escaped(name));
    std::fprintf(stderr, "%s\n", unknown.toUtf8().constData());
    printUsage(stderr);
    return 1;
}
