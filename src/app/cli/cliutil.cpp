#include "app/cli/commands.h"

#include "common/errors.h"
#include "common/language.h"

#include <cstdio>

namespace {

// Every message is one line: a name or path it echoes cannot break it or reach the terminal as a
// control sequence.
void printToStderr(const QString& text) {
    std::fprintf(stderr, "%s\n", escaped(text).toUtf8().constData());
    std::fflush(stderr);
}

class CliReporter : public ErrorReporter {
public:
    void critical(const QString&, const QString& text) override {
        reported = true;
        printToStderr(text);
    }
    bool reported = false;
};

CliReporter g_reporter;

} // namespace

void installCliReporter() {
    setErrorReporter(&g_reporter);
}

bool errorReported() {
    return g_reporter.reported;
}

void printError(const QString& text) {
    g_reporter.critical(kAppTitle, text);
}

void printWarning(const QString& text) {
    printToStderr(TessellarySkn::tr("Attenzione: %1").arg(text));
}

QString escaped(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t u = c.unicode();
        if (u == u'\\')
            out += QStringLiteral("\\\\");
        else if (u == u'\n')
            out += QStringLiteral("\\n");
        else if (u == u'\r')
            out += QStringLiteral("\\r");
        else if (u == u'\t')
            out += QStringLiteral("\\t");
        else if (u < 0x20 || (u >= 0x7F && u < 0xA0))
            out += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
        else
            out += c;
    }
    return out;
}

QString fileErrorText(ErrorCode code, const QString& path) {
    return errorMessageText(int(code), errorDescription(code) + QStringLiteral(": ") + path);
}

void printLine(const QString& text) {
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int usageError(const char* name, const char* usage) {
    const QString line =
        TessellarySkn::tr("Uso: tessellary-skn %1 %2")
            .arg(QLatin1String(name), QCoreApplication::translate("TessellarySkn", usage));
    std::fprintf(stderr, "%s\n", line.toUtf8().constData());
    return 1;
}

QStringList setUpLanguage(QCoreApplication& app, const QStringList& arguments) {
    const LanguageChoice choice = chooseLanguage(arguments);
    installTranslations(app, choice.language, cliLocations());
    return choice.arguments;
}

Locations cliLocations() {
    return Locations::forCommandLine();
}
