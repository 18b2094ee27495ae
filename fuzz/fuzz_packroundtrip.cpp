// libFuzzer target for the package writer and readers together: the input is split into a title
// and files (see fuzzchecks::packInputFrom), packed with CreaSknAt, listed, and unpacked into a
// fresh folder; every name and byte must come back.
#include "fuzzchecks.h"

#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static QTemporaryDir root;
    const QString broken = fuzzchecks::checkPackRoundTrip(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)),
        root.path() + QStringLiteral("/scratch"));
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "fuzz_packroundtrip: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
