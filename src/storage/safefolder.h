#pragma once

#include <QByteArray>
#include <QString>
#include <QtGlobal>

// Which file a path names (device and inode), so that it is recognised under any name.
struct FileId {
    quint64 device = 0;
    quint64 inode = 0;
    bool valid = false;
};

// A folder held open by its descriptor, so that every file operation inside it is relative to the
// folder that was checked, never to whatever a path names a moment later, and never follows a
// symbolic link found inside it.
class SafeFolder {
public:
    enum class Kind {
        // The working folder under the shared temporary folder: created owner-only when missing,
        // and refused when it is a symbolic link, not a folder, or belongs to another user.
        Private,
        // A folder the user named: created with its parents when missing, reached as named.
        AsGiven,
    };

    // The file `path` names, following links; not valid when there is none.
    static FileId idOf(const QString& path);

    SafeFolder() = default;
    ~SafeFolder();
    SafeFolder(const SafeFolder&) = delete;
    SafeFolder& operator=(const SafeFolder&) = delete;

    // Opens (creating when missing) the folder; on refusal returns false and explains why, in
    // Italian, in *why.
    bool open(const QString& path, Kind kind, QString* why);
    bool isOpen() const { return m_fd >= 0; }
    QString path() const { return m_path; }

    // Deletes the folder's plain files. Subfolders, links and dot-files (hidden files, by the
    // convention of this platform) stay; a file that cannot be deleted is skipped. The file
    // `keep` stays too, under whatever name it has in the folder: a package unpacked into the
    // folder that holds it must survive the emptying.
    void removePlainFiles(const FileId& keep = {});

    // Writes data as the file `name`, replacing what has that name (a link is replaced, not
    // followed). The old file stays until the new one is complete. Returns 0 or an errno value.
    int writeFile(const QString& name, const QByteArray& data);

    // Whether `name` is a plain file (reached through a link or not).
    bool isRegularFile(const QString& name) const;

    // Whether `name` in the folder is the file `file` (the file itself, not a link to it).
    bool isSameFile(const QString& name, const FileId& file) const;

    // Deletes the file `name` (a link is deleted, not followed). Returns 0 or an errno value.
    int removeFile(const QString& name);

private:
    int m_fd = -1;
    QString m_path;
};
