// tessellary-skn: packs, unpacks and inspects skin packages from the command line.
#include "app/cli/commands.h"

#include <QCoreApplication>

#include <cstdio>
#include <cstring>
#include <iterator>

namespace {

// One row per command; a group of commands lives in a source file of its own.
const Command kCommands[] = {
    {"pack", commandPack, "CARTELLA PACCHETTO --title TITOLO [NOME...]"},
    {"unpack", commandUnpack, "PACCHETTO CARTELLA"},
    {"title", commandTitle, "PACCHETTO"},
    {"list", commandList, "PACCHETTO"},
    {"settings", commandSettings, "PACCHETTO [--default PREDEFINITO]"},
    {"resave", commandResave, "PACCHETTO [--default PREDEFINITO] [--credits TESTO]"},
};

void printUsage(std::FILE* out) {
    std::fprintf(out, "Uso:\n");
    for (const Command& command : kCommands)
        std::fprintf(out, "  tessellary-skn %s %s\n", command.name, command.usage);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
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
    std::fprintf(stderr, "Comando sconosciuto: %s\n", name.toUtf8().constData());
    printUsage(stderr);
    return 1;
}
