#include "packagepaths.h"

#include <QDir>
#include <QFileInfo>

namespace packagepaths {

QString documentName(const Locations& locations, const QString& path) {
    const QFileInfo info(path);
    const QString skins = QFileInfo(locations.skinsDir()).canonicalFilePath();
    if (!skins.isEmpty() && info.canonicalPath() == skins && !info.isSymLink())
        return info.fileName();
    return QDir::cleanPath(info.absoluteFilePath());
}

QString fullPath(const Locations& locations, const QString& name) {
    return QDir::isAbsolutePath(name) ? name : locations.skinsDir() + name;
}

QString shownName(const QString& name) {
    return QFileInfo(name).fileName();
}

} // namespace packagepaths
