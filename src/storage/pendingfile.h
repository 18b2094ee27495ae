#pragma once

#include <QFile>
#include <QString>

// A file written under a temporary name beside its target and renamed over it only when complete,
// so the old file stays whole until the new one is. The temporary name carries this process's id
// (see leftovers.h): a save killed half-way leaves a file that the next start recognises and
// removes. A target that is a link is written where the link points, as the user set it up.
class PendingFile : public QFile {
public:
    explicit PendingFile(const QString& target);
    ~PendingFile() override;

    // Creates the temporary file; 0 or an errno value.
    int openPending();
    // Flushes, syncs and renames over the target; 0 or an errno value. On failure the temporary
    // file is gone and the target untouched.
    int commitPending();
    // Throws the temporary file away; the target stays as it was.
    void cancelPending();

    QString target() const { return m_target; }

private:
    QString m_target;
    QString m_temp;
};
