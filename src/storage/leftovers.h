#pragma once

#include <QByteArray>
#include <QString>

// Temporary files and folders carry the id of the process that made them, so that what a killed
// process left behind can be told from what a running one is still writing, and removed at the
// next start of the editor or of a command.
namespace leftovers {

// ".tess-<pid>-<random>": a file written beside its final name and renamed into place when
// complete. A dot-file, so that packing a folder without names never takes it.
QByteArray temporaryFileName();

// Creates a new temporary file named prefix + temporaryFileName() inside the folder open as dirFd
// (AT_FDCWD for a prefix that is a path), never through a link, with `mode` less the creation
// mask. Returns its descriptor, open for writing, and the name in *name; -1 with errno set when
// none could be created.
int createTemporaryFile(int dirFd, const QByteArray& prefix, unsigned mode, QByteArray* name);

// "<folder>/tessellary-<pid>-XXXXXX": the template of a private temporary folder (QTemporaryDir).
QString temporaryFolderTemplate(const QString& folder);

// Whether a process with this id runs on this host (one of another user counts as running).
bool processRuns(qint64 pid);

// Removes from `folder` the temporary files, and the temporary folders with everything inside,
// that processes no longer running left there. Only entries of this user named by the patterns
// above are touched; links are removed, never followed. Returns how many entries went.
int removeDead(const QString& folder);

} // namespace leftovers
