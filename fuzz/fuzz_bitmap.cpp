// libFuzzer target for the bitmap loader: the input is decoded from memory by
// cBitmap::CreateFromData at the file's own size and at the sizes of the property list's
// thumbnails. See fuzzchecks.h for what must hold.
#include "fuzzchecks.h"

#include <QtGlobal>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    // Qt's decoder warns about every broken file it meets; printing that only slows the runs.
    qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString&) {});
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString broken = fuzzchecks::checkBitmap(
        QByteArray::fromRawData(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (!broken.isEmpty()) {
        std::fprintf(stderr, "fuzz_bitmap: %s\n", qPrintable(broken));
        std::abort();
    }
    return 0;
}
