#include "locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QStandardPaths>

namespace {

QString withoutTrailingSeparator(QString path) {
    while (path.size() > 1 && path.endsWith(u'/'))
        path.chop(1);
    return path;
}

} // namespace

Locations Locations::forApplication() {
    Locations l;
    l.programDir = withoutTrailingSeparator(QCoreApplication::applicationDirPath());
    const bool hasTmpDir = !qEnvironmentVariableIsEmpty("TMPDIR");
    // Qt makes up a runtime folder, with a warning on every start, when the session names none;
    // only worth it when nothing else keeps the working folder out of the shared one.
    if (!qEnvironmentVariableIsEmpty("XDG_RUNTIME_DIR") || !hasTmpDir)
        l.runtimeDir = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
    l.tempDir = hasTmpDir || l.runtimeDir.isEmpty() ? QDir::tempPath() : l.runtimeDir;
    l.tempDir = withoutTrailingSeparator(l.tempDir);
    l.runtimeDir = withoutTrailingSeparator(l.runtimeDir);
    return l;
}

Locations Locations::forCommandLine() {
    Locations l;
    l.programDir = withoutTrailingSeparator(QCoreApplication::applicationDirPath());
    l.tempDir = withoutTrailingSeparator(QDir::tempPath());
    return l;
}
