#include "storage/leftovers.h"

#include "storage/safefolder.h"

#include <QCoreApplication>
#include <QFile>
#include <QRandomGenerator>
#include <QRegularExpression>

#include <cerrno>
#include <csignal>
#include <dirent.h>
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
    const int listFd = ::dup(dirFd);
    DIR* dir = listFd >= 0 ? ::fdopendir(listFd) : nullptr;
    if (!dir) {
        if (listFd >= 0)
            ::close(listFd);
        ::close(dirFd);
        return 0;
    }
    QList<QByteArray> dead;
    while (const dirent* entry = ::readdir(dir)) {
        const QString name = QFile::decodeName(entry->d_name);
        struct stat st {};
        if (::fstatat(dirFd, entry->d_name, &st, AT_SYMLINK_NOFOLLOW) != 0 ||
            st.st_uid != ::geteuid())
            continue;
        qint64 pid = -1;
        if (S_ISREG(st.st_mode))
            pid = ownerPid(name, false);
        else if (S_ISDIR(st.st_mode))
            pid = ownerPid(name, true);
        if (pid >= 0 && !processRuns(pid))
            dead << QByteArray(entry->d_name);
    }
    ::closedir(dir);
    int removed = 0;
    for (const QByteArray& name : dead)
        removed += SafeFolder::removeEntryAt(dirFd, name.constData()) ? 1 : 0;
    ::close(dirFd);
    return removed;
}

} // namespace leftovers
