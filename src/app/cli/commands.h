#pragma once

#include "common/errors.h"
#include "common/locations.h"

#include <QCoreApplication>
#include <QString>
#include <QStringList>

// The commands of tessellary-skn. Each takes the arguments that follow its name and returns the
// exit status: 0 on success, 1 on any failure. Messages go to stderr, results to stdout.
using CommandFunction = int (*)(const QStringList& args);

struct Command {
    const char* name;
    CommandFunction run;
    const char* usage; // the arguments, as the usage message shows them, before translation
};

// The messages of the command line: TessellarySkn::tr("…"), and QT_TRANSLATE_NOOP with this
// context for texts kept in tables.
struct TessellarySkn {
    Q_DECLARE_TR_FUNCTIONS(TessellarySkn)
};

// Skin packages (packagecommands.cpp).
int commandPack(const QStringList& args);
int commandUnpack(const QStringList& args);
int commandTitle(const QStringList& args);
int commandList(const QStringList& args);

// Skins read and saved through the editor's document and property list (skincommands.cpp).
int commandSettings(const QStringList& args);
int commandResave(const QStringList& args);

// The problems of a skin (checkcommand.cpp): 0 without errors, 1 with, 2 when the package cannot
// be read completely.
int commandCheck(const QStringList& args);

// The sample client window of a skin as a PNG, with its element map (previewcommand.cpp). It
// paints, so main() gives it a GUI application on the off-screen platform.
int commandPreview(const QStringList& args);

// Shared by every command (cliutil.cpp).

// Installs the reporter that prints every reported error to stderr and remembers that it did.
void installCliReporter();
// Whether an error has been reported since the program started.
bool errorReported();
// Prints a message of the command line itself to stderr; it counts as a reported error.
void printError(const QString& text);
// Prints "Attenzione: TEXT" (translated) to stderr; a warning is no failure and leaves the exit
// status alone.
void printWarning(const QString& text);
// The text with its control characters written out, so that a name, title or value read from a
// file cannot move the cursor, colour the terminal or start a line of its own: "\n", "\r",
// "\t", "\xHH" for the others (C0, DEL, C1), and "\\" for a backslash, so that the result
// reads back unambiguously. Messages on stderr are escaped whole; results field by field.
QString escaped(const QString& text);
// "Errore N: description: path", with the standard description of `code`.
QString fileErrorText(ErrorCode code, const QString& path);
// Prints one line, UTF-8, to stdout; the caller escapes what came from a file.
void printLine(const QString& text);
// Prints "Uso: tessellary-skn NAME USAGE" to stderr, translated, and returns 1. `usage` is
// marked with QT_TRANSLATE_NOOP("TessellarySkn", …).
int usageError(const char* name, const char* usage);
// Installs the translation of the language asked for with --lang or by the locale, and returns
// the arguments without --lang.
QStringList setUpLanguage(QCoreApplication& app, const QStringList& arguments);
// The program's folder and the host's temporary folder.
Locations cliLocations();
