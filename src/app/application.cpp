#include "application.h"

#include "bitmap/frmeditor.h"
#include "dialogkit/colourpicker.h"
#include "dialogkit/valuedialog.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmtext.h"
#include "gradient/frmsfum.h"
#include "proplist/proplistmodel.h"

#include <QApplication>
#include <QFile>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <sys/stat.h>
#include <unistd.h>

void registerValueDialogs() {
    registerValueDialog(KindColor, [] { return new frmColor(); });
    registerValueDialog(KindNumber, [] { return new frmText(); });
    registerValueDialog(KindString, [] { return new frmText(); });
    registerValueDialog(KindGradient, [] { return new frmSfum(); });
    registerValueDialog(KindImage, [] { return new frmEditor(); });
    registerValueDialog(KindMask, [] { return new frmEditor(); });
    registerColourPicker(&frmColor::pickColour);
}

void setUpApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("Tessellary"));
    QApplication::setApplicationDisplayName(QString());
    QLocale::setDefault(QLocale(QLocale::Italian, QLocale::Italy));

    // Lives as long as the application: installTranslator does not take ownership.
    static QTranslator qtTranslator;
    if (qtTranslator.load(QLocale(QLocale::Italian, QLocale::Italy), QStringLiteral("qtbase"),
                          QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtTranslator);

    registerValueDialogs();
}

WorkFolderLock::WorkFolderLock(const Locations& locations) : m_lock(locations.lockPath()) {
    // A running editor never gives the lock up, so only a dead owner makes it stale.
    m_lock.setStaleLockTime(0);
}

QString WorkFolderLock::path() const {
    return m_lock.fileName();
}

bool WorkFolderLock::acquire() {
    const QByteArray native = QFile::encodeName(m_lock.fileName());
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (m_lock.tryLock(0))
            return true;
        if (m_lock.error() != QLockFile::LockFailedError)
            return false;
        // A lock that names its owner was judged by QLockFile: a live process holds it.
        qint64 pid = 0;
        QString host;
        QString app;
        if (m_lock.getLockInfo(&pid, &host, &app))
            return false;
        // Anything else at the lock's path (empty, garbage, unreadable, a folder, a link, a
        // pipe) was written by no running editor: a live one names itself as soon as it locks.
        struct stat st {};
        if (::lstat(native.constData(), &st) != 0)
            continue; // gone meanwhile
        if (S_ISDIR(st.st_mode)) {
            if (::rmdir(native.constData()) != 0)
                return false;
        } else if (!S_ISREG(st.st_mode)) {
            ::unlink(native.constData());
        } else if (!m_lock.removeStaleLockFile()) {
            // removeStaleLockFile takes the file's own lock first, so a live holder still
            // writing its name keeps it; one we cannot even open for that was not written by
            // an editor of ours.
            if (::access(native.constData(), W_OK) == 0)
                return false;
            ::unlink(native.constData());
        }
    }
    return false;
}
