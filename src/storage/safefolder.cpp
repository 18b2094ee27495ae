#include "storage/safefolder.h"

#include "storage/leftovers.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(SafeFolder)
};

QByteArray nativeName(const QString& name) {
    return QFile::encodeName(name);
}

int writeAll(int fd, const char* data, qint64 size) {
    while (size > 0) {
        const ssize_t n = ::write(fd, data, size_t(size));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return EIO;
        data += n;
        size -= n;
    }
    return 0;
}

} // namespace

SafeFolder::~SafeFolder() {
    if (m_fd >= 0)
        ::close(m_fd);
}

bool SafeFolder::open(const QString& path, Kind kind, QString* why) {
    m_path = path;
    const QByteArray native = nativeName(path);
    if (kind == Kind::Private) {
        // Owner-only from the first moment: the temporary folder is shared with other users.
        if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST) {
            *why = Tr::tr("Impossibile creare la cartella di lavoro %1").arg(path);
            return false;
        }
        m_fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (m_fd < 0) {
            struct stat st {};
            if (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode))
                *why = Tr::tr("La cartella di lavoro %1 è un collegamento simbolico: "
                              "non viene usata")
                           .arg(path);
            else
                *why = Tr::tr("La cartella di lavoro %1 non è una cartella utilizzabile").arg(path);
            return false;
        }
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || !S_ISDIR(st.st_mode)) {
            *why = Tr::tr("La cartella di lavoro %1 non è una cartella utilizzabile").arg(path);
            ::close(m_fd);
            m_fd = -1;
            return false;
        }
        if (st.st_uid != ::geteuid()) {
            *why = Tr::tr("La cartella di lavoro %1 appartiene a un altro utente: non "
                          "viene usata")
                       .arg(path);
            ::close(m_fd);
            m_fd = -1;
            return false;
        }
        if ((st.st_mode & 077) != 0)
            ::fchmod(m_fd, 0700);
        // Whoever could write here before it was made owner-only may have left links to files
        // of theirs or of ours; none of them may be read, written or packed through.
        removeAllButPlainFiles();
        leftovers::removeDead(path);
        return true;
    }

    if (!QDir(path).exists() && !QDir().mkpath(path)) {
        *why = Tr::tr("Impossibile creare la cartella %1").arg(path);
        return false;
    }
    m_fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        *why = Tr::tr("Impossibile aprire la cartella %1").arg(path);
        return false;
    }
    leftovers::removeDead(path);
    return true;
}

FileId SafeFolder::idOf(const QString& path) {
    struct stat st {};
    if (path.isEmpty() || ::stat(nativeName(path).constData(), &st) != 0)
        return {};
    return {quint64(st.st_dev), quint64(st.st_ino), true};
}

namespace {

bool sameFile(const struct stat& st, const FileId& file) {
    return file.valid && quint64(st.st_dev) == file.device && quint64(st.st_ino) == file.inode;
}

} // namespace

void SafeFolder::removePlainFiles(const FileId& keep) {
    if (m_fd < 0)
        return;
    for (const auto& [name, st] : entriesAt(m_fd)) {
        if (name.startsWith('.') || !S_ISREG(st.st_mode) || sameFile(st, keep))
            continue;
        ::unlinkat(m_fd, name.constData(), 0);
    }
}

QList<SafeFolder::Entry> SafeFolder::entriesAt(int dirFd) {
    QList<Entry> entries;
    // A descriptor of its own for the listing: closedir closes it, dirFd stays open.
    const int listFd = ::openat(dirFd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        return entries;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (std::strcmp(entry->d_name, ".") == 0 || std::strcmp(entry->d_name, "..") == 0)
            continue;
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) == 0)
            entries.append({QByteArray(entry->d_name), st});
    }
    ::closedir(dir);
    return entries;
}

int SafeFolder::writeFile(const QString& name, const QByteArray& data) {
    if (m_fd < 0)
        return EBADF;
    const QByteArray target = nativeName(name);
    // A fresh file of our own, then a rename over the name: a link in its place is replaced,
    // never written through, and the old file survives a failed write.
    QByteArray temp;
    const int fd = leftovers::createTemporaryFile(m_fd, {}, 0666, &temp);
    if (fd < 0)
        return errno;
    int err = writeAll(fd, data.constData(), data.size());
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && m_keepExisting) {
        // A hard link fails on an existing name, where a rename would replace it; it works on
        // every local file system, unlike a rename that refuses to replace.
        if (::linkat(m_fd, temp.constData(), m_fd, target.constData(), 0) != 0)
            err = errno;
    } else if (err == 0 && ::renameat(m_fd, temp.constData(), m_fd, target.constData()) != 0) {
        err = errno;
    }
    if (err == 0 && m_keepExisting)
        ::unlinkat(m_fd, temp.constData(), 0);
    if (err != 0)
        ::unlinkat(m_fd, temp.constData(), 0);
    return err;
}

bool SafeFolder::isRegularFile(const QString& name) const {
    if (m_fd < 0)
        return false;
    struct stat st {};
    return ::fstatat(m_fd, nativeName(name).constData(), &st, 0) == 0 && S_ISREG(st.st_mode);
}

bool SafeFolder::isSameFile(const QString& name, const FileId& file) const {
    struct stat st {};
    return m_fd >= 0 &&
           ::fstatat(m_fd, nativeName(name).constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
           sameFile(st, file);
}

int SafeFolder::removeFile(const QString& name) {
    if (m_fd < 0)
        return EBADF;
    if (::unlinkat(m_fd, nativeName(name).constData(), 0) != 0)
        return errno;
    return 0;
}

namespace {

// Folders nested deeper than this are left in place rather than walked: a planted tree could
// otherwise exhaust descriptors or the stack.
constexpr int kMaxDepth = 32;

bool removeTree(int parentFd, const char* name, int depth) {
    struct stat st {};
    if (::fstatat(parentFd, name, &st, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT;
    if (!S_ISDIR(st.st_mode))
        return ::unlinkat(parentFd, name, 0) == 0 || errno == ENOENT;
    if (depth >= kMaxDepth)
        return false;
    const int fd = ::openat(parentFd, name, O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
    if (fd < 0)
        return false;
    bool ok = true;
    for (const auto& entry : SafeFolder::entriesAt(fd))
        ok = removeTree(fd, entry.first.constData(), depth + 1) && ok;
    ::close(fd);
    return ok && ::unlinkat(parentFd, name, AT_REMOVEDIR) == 0;
}

// Opens the folder that holds `path` (its last step not followed when it is a link) and gives
// the file's own name.
int openParent(const QString& path, QByteArray* name) {
    const qsizetype slash = path.lastIndexOf(u'/');
    const QString folder = slash < 0    ? QStringLiteral(".")
                           : slash == 0 ? QStringLiteral("/")
                                        : path.left(slash);
    *name = nativeName(path.mid(slash + 1));
    if (name->isEmpty() || *name == "." || *name == "..") {
        errno = EINVAL;
        return -1;
    }
    return ::open(nativeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
}

// Opens the plain file `name` inside dirFd, never through a link and never blocking on a pipe.
int openPlainAt(int dirFd, const char* name, int flags, struct stat* st) {
    const int fd = ::openat(dirFd, name, flags | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return -1;
    if (::fstat(fd, st) != 0 || !S_ISREG(st->st_mode)) {
        const int err = S_ISDIR(st->st_mode) ? EISDIR : EINVAL;
        ::close(fd);
        errno = err;
        return -1;
    }
    return fd;
}

int readPlainAt(int dirFd, const char* name, QByteArray* data, qint64 maxSize) {
    struct stat st {};
    const int fd = openPlainAt(dirFd, name, O_RDONLY, &st);
    if (fd < 0)
        return errno;
    if (st.st_size > maxSize) {
        ::close(fd);
        return EFBIG;
    }
    QByteArray bytes(qsizetype(st.st_size), Qt::Uninitialized);
    qsizetype done = 0;
    int err = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::read(fd, bytes.data() + done, size_t(bytes.size() - done));
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0) {
            err = errno;
            break;
        }
        if (n == 0)
            break; // shrank while read: what is there is what it holds
        done += n;
    }
    ::close(fd);
    if (err != 0)
        return err;
    bytes.truncate(done);
    *data = std::move(bytes);
    return 0;
}

} // namespace

bool SafeFolder::removeEntryAt(int dirFd, const char* name) {
    return removeTree(dirFd, name, 0);
}

int SafeFolder::removeAllButPlainFiles() {
    if (m_fd < 0)
        return 0;
    int left = 0;
    for (const auto& [name, st] : entriesAt(m_fd)) {
        if (!S_ISREG(st.st_mode))
            left += removeTree(m_fd, name.constData(), 0) ? 0 : 1;
    }
    return left;
}

int SafeFolder::readFile(const QString& name, QByteArray* data, qint64 maxSize) const {
    if (m_fd < 0)
        return EBADF;
    return readPlainAt(m_fd, nativeName(name).constData(), data, maxSize);
}

int SafeFolder::readFileAt(const QString& path, QByteArray* data, qint64 maxSize) {
    QByteArray name;
    const int dirFd = openParent(path, &name);
    if (dirFd < 0)
        return errno;
    const int err = readPlainAt(dirFd, name.constData(), data, maxSize);
    ::close(dirFd);
    return err;
}

int SafeFolder::writeFileAt(const QString& path, const QByteArray& data) {
    QByteArray name;
    SafeFolder folder;
    folder.m_fd = openParent(path, &name);
    if (folder.m_fd < 0)
        return errno;
    return folder.writeFile(QFile::decodeName(name), data);
}

int SafeFolder::appendFileAt(const QString& path, const QByteArray& data) {
    QByteArray name;
    const int dirFd = openParent(path, &name);
    if (dirFd < 0)
        return errno;
    struct stat st {};
    const int fd = openPlainAt(dirFd, name.constData(), O_WRONLY | O_APPEND, &st);
    const int openErr = errno;
    ::close(dirFd);
    if (fd < 0)
        return openErr;
    int err = writeAll(fd, data.constData(), data.size());
    if (::close(fd) != 0 && err == 0)
        err = errno;
    return err;
}

int SafeFolder::removeFileAt(const QString& path) {
    QByteArray name;
    const int dirFd = openParent(path, &name);
    if (dirFd < 0)
        return errno;
    struct stat st {};
    int err = 0;
    if (::fstatat(dirFd, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        err = errno;
    else if (S_ISDIR(st.st_mode))
        err = EISDIR;
    else if (::unlinkat(dirFd, name.constData(), 0) != 0)
        err = errno;
    ::close(dirFd);
    return err;
}
