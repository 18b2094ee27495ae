// libFuzzer target for the skin.ini reader: the input is written as skin.ini into the working
// folder of a private sandbox, read into a skin and loaded into the property list's model as the
// editor loads a skin, then saved and read back. See fuzzchecks.h for what must hold.
#include "fuzzchecks.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {

struct Sandbox {
    QTemporaryDir root;
    Locations locations;
    Sandbox() {
        locations.programDir = root.path() + QStringLiteral("/program");
        locations.tempDir = root.path() + QStringLiteral("/temp");
    }
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Sandbox sandbox;
    const QString broken = fuzzchecks::checkSkinIni(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)),
        sandbox.locations);
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "fuzz_skinini: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
