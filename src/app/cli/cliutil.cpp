#include "app/cli/commands.h"

#include "common/errors.h"

#include <cstdio>

namespace {

class CliReporter : public ErrorReporter {
public:
    void critical(const QString&, const QString& text) override {
        reported = true;
        std::fprintf(stderr, "%s\n", text.toUtf8().constData());
        std::fflush(stderr);
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

void printLine(const QString& text) {
    const QByteArray bytes = text.toUtf8() + '\n';
    std::fwrite(bytes.constData(), 1, size_t(bytes.size()), stdout);
}

int usageError(const char* name, const char* usage) {
    std::fprintf(stderr, "Uso: tessellary-skn %s %s\n", name, usage);
    return 1;
}

Locations cliLocations() {
    return Locations::forApplication();
}
