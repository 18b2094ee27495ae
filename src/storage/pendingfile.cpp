#include "storage/pendingfile.h"

#include "storage/leftovers.h"

#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

PendingFile::PendingFile(const QString& target) : m_target(target) {
    const QFileInfo info(target);
    if (info.isSymLink()) {
        const QString resolved = info.canonicalFilePath();
        if (!resolved.isEmpty())
            m_target = resolved;
    }
}

PendingFile::~PendingFile() {
    cancelPending();
}

int PendingFile::openPending() {
    cancelPending();
    const QString folder = QFileInfo(m_target).absolutePath();
    // What killed saves left beside the target goes before another temporary file joins it.
    leftovers::removeDead(folder);
    // The new file takes the old one's permissions, as a file edited in place would keep them.
    mode_t mode = 0666;
    struct stat st {};
    if (::stat(QFile::encodeName(m_target).constData(), &st) == 0)
        mode = st.st_mode & 07777;
    QByteArray temp;
    const int fd =
        leftovers::createTemporaryFile(AT_FDCWD, QFile::encodeName(folder) + '/', mode, &temp);
    if (fd < 0)
        return errno;
    m_temp = QFile::decodeName(temp);
    if (st.st_mode != 0)
        ::fchmod(fd, mode); // the creation mask must not narrow what the old file allowed
    setFileName(m_temp);
    if (!QFile::open(fd, QIODevice::WriteOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        ::unlink(QFile::encodeName(m_temp).constData());
        m_temp.clear();
        return EIO;
    }
    return 0;
}

int PendingFile::commitPending() {
    if (m_temp.isEmpty() || !isOpen())
        return EBADF;
    int err = 0;
    errno = 0;
    if (!flush() || error() != QFileDevice::NoError)
        err = errno != 0 ? errno : EIO;
    if (err == 0 && ::fsync(handle()) != 0)
        err = errno;
    QFile::close();
    if (err == 0 && error() != QFileDevice::NoError)
        err = EIO;
    if (err == 0 && ::rename(QFile::encodeName(m_temp).constData(),
                             QFile::encodeName(m_target).constData()) != 0)
        err = errno;
    if (err != 0) {
        ::unlink(QFile::encodeName(m_temp).constData());
    }
    m_temp.clear();
    return err;
}

void PendingFile::cancelPending() {
    if (isOpen())
        QFile::close();
    if (!m_temp.isEmpty()) {
        ::unlink(QFile::encodeName(m_temp).constData());
        m_temp.clear();
    }
}
