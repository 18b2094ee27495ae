#include "storage/leftovers.h"

#include "storage/safefolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace leftovers {

namespace {

const QLatin1String kFilePrefix(".tess-");
const QLatin1String kFolderPrefix("tessellary-");

// The process id in ".tess-<pid>-<random>" or "tessellary-<pid>-XXXXXX", or -1 for a name of
// any other shape. Files of the first versions carried no id (".tess-<random>"): nothing still
// running writes them, so they read as a dead process's (0).
qint64 ownerPid(const QString& name, bool folder) {
    static const QRegularExpression file(QStringLiteral("^\\.tess-(?:([0-9]+)-)?[0-9a-z]+$"));
    static const QRegularExpression dir(QStringLiteral("^tessellary-([0-9]+)-[0-9A-Za-z]{6}$"));
    const QRegularExpressionMatch match = (folder ? dir : file).match(name);
    if (!match.hasMatch())
        return -1;
    if (!match.hasCaptured(1))
        return 0;
    bool ok = false;
    const qint64 pid = match.captured(1).toLongLong(&ok);
    return ok && pid > 0 ? pid : -1;
}

} // namespace

QByteArray temporaryFileName() {
    return QByteArray(kFilePrefix.data(), kFilePrefix.size()) +
           QByteArray::number(QCoreApplication::applicationPid()) + '-' +
           QByteArray::number(QRandomGenerator::global()->generate64(), 36);
}

int createTemporaryFile(int dirFd, const QByteArray& prefix, unsigned mode, QByteArray* name) {
    // A random name is taken by someone else only by chance: a few tries settle it.
    for (int attempt = 0; attempt < 100; ++attempt) {
        *name = prefix + temporaryFileName();
        const int fd = ::openat(dirFd, name->constData(),
                                O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode_t(mode));
        if (fd >= 0 || errno != EEXIST)
            return fd;
    }
    errno = EEXIST;
    return -1;
}

QString temporaryFolderTemplate(const QString& folder) {
    return folder + u'/' + kFolderPrefix + QString::number(QCoreApplication::applicationPid()) +
           QStringLiteral("-XXXXXX");
}

bool processRuns(qint64 pid) {
    if (pid <= 0)
        return false;
    if (pid == QCoreApplication::applicationPid())
        return true;
    return ::kill(pid_t(pid), 0) == 0 || errno != ESRCH;
}

int removeDead(const QString& folder) {
    const int dirFd =
        ::open(QFile::encodeName(folder).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0)
        return 0;
    int removed = 0;
    for (const auto& [name, st] : SafeFolder::entriesAt(dirFd)) {
        if (st.st_uid != ::geteuid() || !(S_ISREG(st.st_mode) || S_ISDIR(st.st_mode)))
            continue;
        const qint64 pid = ownerPid(QFile::decodeName(name), S_ISDIR(st.st_mode));
        if (pid >= 0 && !processRuns(pid))
            removed += SafeFolder::removeEntryAt(dirFd, name.constData()) ? 1 : 0;
    }
    ::close(dirFd);
    return removed;
}

} // namespace leftovers
