#include "application.h"

#include "bitmap/frmeditor.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmtext.h"
#include "dialogs/valuedialog.h"
#include "gradient/frmsfum.h"
#include "proplist/proplistmodel.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

void registerValueDialogs() {
    registerValueDialog(KindColor, [] { return new frmColor(); });
    registerValueDialog(KindNumber, [] { return new frmText(); });
    registerValueDialog(KindString, [] { return new frmText(); });
    registerValueDialog(KindGradient, [] { return new frmSfum(); });
    registerValueDialog(KindImage, [] { return new frmEditor(); });
    registerValueDialog(KindMask, [] { return new frmEditor(); });
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

WorkFolderLock::WorkFolderLock(const Locations& locations)
    : m_lock(locations.workDir() + QStringLiteral(".lock")) {
    // A running editor never gives the lock up, so only a dead owner makes it stale.
    m_lock.setStaleLockTime(0);
}

bool WorkFolderLock::acquire() {
    return m_lock.tryLock(0);
}
