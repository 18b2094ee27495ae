#include "storage/safefolder.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
            *why = QStringLiteral("Impossibile creare la cartella di lavoro ") + path;
            return false;
        }
        m_fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC);
        if (m_fd < 0) {
            struct stat st {};
            if (::lstat(native.constData(), &st) == 0 && S_ISLNK(st.st_mode))
                *why = QStringLiteral("La cartella di lavoro %1 è un collegamento simbolico: "
                                      "non viene usata")
                           .arg(path);
            else
                *why = QStringLiteral("La cartella di lavoro %1 non è una cartella utilizzabile")
                           .arg(path);
            return false;
        }
        struct stat st {};
        if (::fstat(m_fd, &st) != 0 || !S_ISDIR(st.st_mode)) {
            *why = QStringLiteral("La cartella di lavoro %1 non è una cartella utilizzabile")
                       .arg(path);
            ::close(m_fd);
            m_fd = -1;
            return false;
        }
        if (st.st_uid != ::geteuid()) {
            *why = QStringLiteral("La cartella di lavoro %1 appartiene a un altro utente: non "
                                  "viene usata")
                       .arg(path);
            ::close(m_fd);
            m_fd = -1;
            return false;
        }
        if ((st.st_mode & 077) != 0)
            ::fchmod(m_fd, 0700);
        return true;
    }

    if (!QDir(path).exists() && !QDir().mkpath(path)) {
        *why = QStringLiteral("Impossibile creare la cartella ") + path;
        return false;
    }
    m_fd = ::open(native.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (m_fd < 0) {
        *why = QStringLiteral("Impossibile aprire la cartella ") + path;
        return false;
    }
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
    const int listFd = ::openat(m_fd, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (listFd < 0)
        return;
    DIR* dir = ::fdopendir(listFd);
    if (!dir) {
        ::close(listFd);
        return;
    }
    while (const dirent* entry = ::readdir(dir)) {
        if (entry->d_name[0] == '.')
            continue;
        struct stat st {};
        if (::fstatat(m_fd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 || !S_ISREG(st.st_mode))
            continue;
        if (sameFile(st, keep))
            continue;
        ::unlinkat(m_fd, entry->d_name, 0);
    }
    ::closedir(dir);
}

int SafeFolder::writeFile(const QString& name, const QByteArray& data) {
    if (m_fd < 0)
        return EBADF;
    const QByteArray target = nativeName(name);
    // A fresh file of our own, then a rename over the name: a link in its place is replaced,
    // never written through, and the old file survives a failed write.
    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = QByteArrayLiteral(".tess-") +
               QByteArray::number(QRandomGenerator::global()->generate64(), 36);
        fd = ::openat(m_fd, temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC,
                      0666);
        if (fd < 0 && errno != EEXIST)
            return errno;
    }
    if (fd < 0)
        return EEXIST;
    int err = writeAll(fd, data.constData(), data.size());
    if (::close(fd) != 0 && err == 0)
        err = errno;
    if (err == 0 && ::renameat(m_fd, temp.constData(), m_fd, target.constData()) != 0)
        err = errno;
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
