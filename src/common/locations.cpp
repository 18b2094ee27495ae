#include "locations.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
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
    // Found relative to the executable, so that an installation under any prefix, or one moved
    // elsewhere whole, finds its own files.
    const QString share = QDir::cleanPath(l.programDir + QStringLiteral("/../share/tessellary"));
    if (!QFileInfo(l.programDir + QStringLiteral("/skins")).isDir() && QFileInfo(share).isDir()) {
        l.shareDir = share;
        l.userSkinsDir = withoutTrailingSeparator(
            QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
            QStringLiteral("/skins"));
    }
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

bool Locations::prepareSkinsDir() const {
    if (userSkinsDir.isEmpty())
        return true;
    if (!QDir().mkpath(userSkinsDir))
        return false;
    // Every skin is read over the default one; without it the user's skins would all open with
    // empty settings. Written whole or not at all, so a failed first start is simply retried.
    const QString target = skinsDir() + defaultSkinName();
    if (QFileInfo::exists(target))
        return true;
    QFile source(bundleDir() + QStringLiteral("/skins/") + defaultSkinName());
    if (!source.open(QIODevice::ReadOnly))
        return false;
    const QByteArray bytes = source.readAll();
    QSaveFile out(target);
    if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
        return false;
    return out.commit();
}
