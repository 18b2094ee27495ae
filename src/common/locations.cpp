#include "locations.h"

#include <QCoreApplication>
#include <QDir>

Locations Locations::forApplication() {
    Locations l;
    l.programDir = QCoreApplication::applicationDirPath();
    l.tempDir = QDir::tempPath();
    while (l.programDir.size() > 1 && l.programDir.endsWith(u'/'))
        l.programDir.chop(1);
    while (l.tempDir.size() > 1 && l.tempDir.endsWith(u'/'))
        l.tempDir.chop(1);
    return l;
}
