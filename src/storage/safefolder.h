#pragma once

#include <QByteArray>
#include <QList>
#include <QString>
#include <QtGlobal>

#include <sys/stat.h>
#include <utility>

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
        // The working folder: created owner-only when missing, and refused when it is a symbolic
        // link, not a folder, or belongs to another user. Taking it over removes what a previous
        // owner may have planted in it (every entry that is not a plain file) and the temporary
        // files that a killed process left.
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
    // Italian, in *why. The temporary files of killed processes are removed from it.
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
    // After keepExisting(), a name that exists by the time the file is complete is left alone
    // and EEXIST returned: nothing in a folder the user named is replaced behind a check.
    int writeFile(const QString& name, const QByteArray& data);
    void keepExisting() { m_keepExisting = true; }

    // Whether `name` is a plain file (reached through a link or not).
    bool isRegularFile(const QString& name) const;

    // Whether `name` in the folder is the file `file` (the file itself, not a link to it).
    bool isSameFile(const QString& name, const FileId& file) const;

    // Deletes the file `name` (a link is deleted, not followed). Returns 0 or an errno value.
    int removeFile(const QString& name);

    // Reads the plain file `name` whole; a link, folder, pipe or device is refused (ELOOP,
    // EISDIR or EINVAL) without being opened through, and so is a file over maxSize (EFBIG).
    // Returns 0 or an errno value.
    int readFile(const QString& name, QByteArray* data, qint64 maxSize) const;

    // Deletes every entry that is not a plain file: links (not followed), folders with what they
    // hold, pipes, sockets and devices. Returns how many could not be deleted.
    int removeAllButPlainFiles();

    // Deletes the entry `name` of the folder open as dirFd without following a link: a folder
    // goes with everything inside it. Whether it is gone.
    static bool removeEntryAt(int dirFd, const char* name);

    // The entries of the folder open as dirFd ("." and ".." left out), each with what lstat
    // says of it; an entry gone meanwhile is left out too.
    using Entry = std::pair<QByteArray, struct stat>;
    static QList<Entry> entriesAt(int dirFd);

    // The same rules for a single file named by its path, for callers that hold no folder: the
    // folder part is opened without following a link at its last step, the file inside it as
    // readFile and writeFile do. appendFile adds to an existing plain file. 0 or an errno value.
    static int readFileAt(const QString& path, QByteArray* data, qint64 maxSize);
    static int writeFileAt(const QString& path, const QByteArray& data);
    static int appendFileAt(const QString& path, const QByteArray& data);
    static int removeFileAt(const QString& path);

private:
    int m_fd = -1;
    QString m_path;
    bool m_keepExisting = false;
};
