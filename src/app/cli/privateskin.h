#pragma once

#include "common/locations.h"

#include <QString>
#include <QTemporaryDir>

// A package, and the default package under it, copied into a program folder and a temporary
// folder of this process's own, so that a command opens it as the editor opens a skin without
// touching the user's skins or working folder. The folder is named for the process: one a killed
// command left behind is removed by the next command that starts.
class PrivateSkin {
public:
    PrivateSkin();

    // Checks that the packages read to the end of what they declare, copies them in and checks
    // the copies (a package rewritten meanwhile is caught as well). Without a default package the
    // chosen one is read alone, as the default skin itself is read: what it lacks, nothing
    // provides. Every failure is printed; false then.
    bool prepare(const QString& package, const QString& defaultPackage = {});

    const Locations& locations() const { return m_locations; }
    // The copy to open, by its name in the private skins folder.
    const QString& name() const { return m_name; }

private:
    QString m_parent;
    QTemporaryDir m_root;
    Locations m_locations;
    QString m_name;
};

// Whether the package at `path` reads to the end of what it declares; a missing file, one that is
// not a package, a folder or a pipe, or one cut short anywhere is printed (naming `shownPath`,
// the path as the user gave it) and is false. Opening stops quietly where a package is cut short
// between two files and keeps what it read, so a command lists it first.
bool packageReadsWhole(const QString& path, const QString& shownPath);
