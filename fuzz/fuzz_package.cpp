// libFuzzer target for the package readers: the input is handed to EstraiTitolo, ElencaVoci and
// EstraiSkin as a skin package, and to EstraiSettings and SalvaSettings as a settings package,
// all inside private temporary folders.
#include "storage/cbinary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

class SilentReporter : public ErrorReporter {
public:
    void critical(const QString&, const QString&) override {}
};

struct Sandbox {
    QTemporaryDir root;
    Locations locations;
    SilentReporter reporter;
    Sandbox() {
        locations.programDir = root.path() + QStringLiteral("/program");
        locations.tempDir = root.path() + QStringLiteral("/temp");
        QDir().mkpath(locations.skinsDir());
        QDir().mkpath(locations.tempDir);
        setErrorReporter(&reporter);
    }
    // Unpacking leaves hidden files (dot-files) in place by design; remove every file between
    // runs so that they do not pile up and slow the runs down.
    static void clearFolder(const QString& path) {
        QDir folder(path);
        for (const QString& name : folder.entryList(QDir::Files | QDir::Hidden | QDir::System))
            folder.remove(name);
    }
    void clearProgramFolder() const { clearFolder(locations.programDir); }
    void clearWorkFolder() const { clearFolder(locations.workDir()); }
};

void writeInput(const QString& path, const uint8_t* data, size_t size) {
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), qint64(size));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static Sandbox sandbox;
    const QString skin = sandbox.locations.skinsDir() + QStringLiteral("input.skn");
    writeInput(skin, data, size);
    {
        cBinary binary(sandbox.locations);
        binary.EstraiTitolo(skin);
        QList<cBinary::Voce> voci;
        binary.ElencaVoci(skin, &voci);
        binary.EstraiSkin(skin);
    }
    sandbox.clearWorkFolder();

    sandbox.clearProgramFolder();
    writeInput(sandbox.locations.settingsPackagePath(), data, size);
    {
        cBinary binary(sandbox.locations);
        binary.EstraiSettings();
        binary.SalvaSettings(true);
    }
    sandbox.clearProgramFolder();
    return 0;
}
