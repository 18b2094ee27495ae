#include "application.h"

#include "app/frmmain.h"
#include "app/packagepaths.h"
#include "app/recovery.h"
#include "app/singleinstance.h"
#include "bitmap/frmeditor.h"
#include "dialogkit/colourpicker.h"
#include "dialogkit/messagebox.h"
#include "dialogkit/valuedialog.h"
#include "dialogs/editorprompts.h"
#include "dialogs/frmcolor.h"
#include "dialogs/frmtext.h"
#include "gradient/frmsfum.h"
#include "proplist/proplistmodel.h"
#include "proplist/uadvlist.h"
#include "storage/leftovers.h"

#include <QApplication>
#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QStatusBar>
#include <QThread>

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

void setUpApplication(QApplication& app, const QString& language) {
    QApplication::setApplicationName(QStringLiteral("Tessellary"));
    QApplication::setApplicationDisplayName(QString());
    // A translation that is missing leaves the texts Italian: the editor still works.
    installTranslations(app, language, Locations::forApplication());
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

namespace {

struct Tr {
    Q_DECLARE_TR_FUNCTIONS(EditorStart)
};

QString recoveryQuestion() {
    return Tr::tr("Sono state trovate modifiche non salvate dello skin «%1» (%2). Recuperarle?");
}

QString busyText() {
    return Tr::tr("Tessellary è già aperto. Un secondo editor userebbe la stessa cartella di "
                  "lavoro del primo: chiudi l'altro prima.\n(File di blocco: %1)");
}

} // namespace

EditorStart::EditorStart(Locations locations, const QString& recoveryFolder, UserPrompts* prompts)
    : m_locations(std::move(locations)),
      m_ownPrompts(prompts ? nullptr : std::make_unique<EditorPrompts>()),
      m_prompts(prompts ? prompts : m_ownPrompts.get()),
      m_store(std::make_unique<RecoveryStore>(
          recoveryFolder.isEmpty() ? RecoveryStore::defaultFolder() : recoveryFolder)) {}

EditorStart::~EditorStart() {
    // The keeper drops the copy of changes the user chose to discard; then the window goes, and
    // only after it the mark of a running editor.
    m_keeper.reset();
    m_reporterScope.reset();
    m_window.reset();
    m_store->endSession();
}

EditorStart::Result EditorStart::start(const QStringList& arguments) {
    // Resolved here: the running editor has a working directory of its own.
    const QString package =
        arguments.isEmpty() ? QString() : QFileInfo(arguments.first()).absoluteFilePath();
    const QString socket = m_locations.instanceSocketPath();
    if (SingleInstance::handOver(socket, package))
        return Result::HandedOver;

    m_lock = std::make_unique<WorkFolderLock>(m_locations);
    if (!m_lock->acquire()) {
        // Two starts at once: the other one may still be getting its socket ready.
        QElapsedTimer waited;
        waited.start();
        while (waited.elapsed() < 3000) {
            if (SingleInstance::handOver(socket, package, 500))
                return Result::HandedOver;
            QThread::msleep(100);
        }
        m_prompts->critical(nullptr, busyText().arg(QDir::toNativeSeparators(m_lock->path())));
        return Result::Refused;
    }
    m_instance = std::make_unique<SingleInstance>(socket);
    m_instance->listen();

    // What killed saves and commands left behind: half-written packages beside the skins,
    // private copies of skins in the temporary folder.
    for (const QString& folder :
         {m_locations.skinsDir(), m_locations.tempDir, m_locations.programDir})
        leftovers::removeDead(folder);
    const bool skinsReady = m_locations.prepareSkinsDir();
    const bool crashed = m_store->beginSession();

    m_window = std::make_unique<frmMain>(m_locations);
    m_window->setPrompts(m_prompts);
    m_reporter = std::make_unique<MessageBoxErrorReporter>(*m_prompts, m_window.get());
    m_reporterScope = std::make_unique<ScopedErrorReporter>(m_reporter.get());
    frmMain* window = m_window.get();
    m_keeper = std::make_unique<RecoveryKeeper>(m_store.get(), [window] {
        PropListModel* model = window->list()->model();
        return RecoveryKeeper::Snapshot{model->parametersText(), model->GetFilesList(),
                                        model->RetrData(QStringLiteral("Title")).toString()};
    });
    QObject::connect(window, &frmMain::documentReplaced, m_keeper.get(), &RecoveryKeeper::attach);
    QObject::connect(m_keeper.get(), &RecoveryKeeper::failed, window,
                     [window](const QString& text) { window->statusBar()->showMessage(text); });
    QObject::connect(m_instance.get(), &SingleInstance::activated, window,
                     [this](const QString& path) { bringToFront(path); });
    window->show();
    if (!skinsReady)
        m_prompts->critical(window, Tr::tr("Impossibile preparare la cartella degli skin %1")
                                        .arg(QDir::toNativeSeparators(m_locations.skinsDir())));

    offerRecovery(crashed);
    if (!package.isEmpty())
        window->OpenPackage(package);
    return Result::Running;
}

void EditorStart::offerRecovery(bool crashed) {
    const std::optional<RecoveryStore::Copy> copy = m_store->copy();
    if (!copy || !crashed) {
        // Left by an editor that ended normally, which never leaves changes behind on purpose.
        m_store->remove();
        return;
    }
    const QString text = recoveryQuestion().arg(
        packagepaths::shownName(copy->skinName),
        copy->written.toLocalTime().toString(QStringLiteral("dd/MM/yyyy HH:mm")));
    // Sì is the answer that loses nothing: a stray Enter or Esc keeps the changes.
    if (m_prompts->question(m_window.get(), text, QMessageBox::Yes | QMessageBox::No,
                            QMessageBox::Yes) == UserPrompts::Yes)
        m_window->RestoreSkin(copy->package, copy->skinName);
    else
        m_store->remove();
}

void EditorStart::bringToFront(const QString& package) {
    m_window->show();
    m_window->setWindowState(m_window->windowState() & ~Qt::WindowMinimized);
    m_window->raise();
    m_window->activateWindow();
    if (!package.isEmpty())
        m_window->OpenPackage(package);
}
