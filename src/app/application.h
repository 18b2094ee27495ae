#pragma once

#include "common/locations.h"

#include <QLockFile>

class QApplication;

// What every program with the editor's windows sets up before showing them: names, the Italian
// translation of Qt's standard buttons ("Sì", "No", "Annulla"), the list font, and the value
// dialogs for each kind of setting.
void setUpApplication(QApplication& app);

// Registers the dialog of every item kind with the launcher, and the colour picker function.
void registerValueDialogs();

// Held by a running editor for as long as it runs. Every editor unpacks into the same working
// folder, so a second one would empty it under the first, and the first would then pack the
// second one's files into its own package on saving.
class WorkFolderLock {
public:
    explicit WorkFolderLock(const Locations& locations);
    // False when another running editor holds it. A lock left by a crashed one, and anything at
    // the lock's path that names no owner (empty, garbage, a folder, a link), is taken over.
    bool acquire();
    // The lock file, for the message that tells the user which file keeps the editor out.
    QString path() const;

private:
    QLockFile m_lock;
};
