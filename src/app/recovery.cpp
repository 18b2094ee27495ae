#include "recovery.h"

#include "common/errors.h"
#include "skin/skindocument.h"
#include "storage/cbinary.h"
#include "storage/leftovers.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QStandardPaths>
#include <QTemporaryDir>

QString RecoveryStore::defaultFolder() {
    return QStandardPaths::writableLocation(QStandardPaths::AppDataLocation) +
           QStringLiteral("/recovery");
}

RecoveryStore::RecoveryStore(QString folder) : m_folder(std::move(folder)) {}

RecoveryStore::~RecoveryStore() {
    endSession();
}

QString RecoveryStore::packagePath() const {
    return m_folder + QStringLiteral("/copia.skn");
}

QString RecoveryStore::notePath() const {
    return m_folder + QStringLiteral("/copia.txt");
}

bool RecoveryStore::beginSession() {
    if (!QDir().mkpath(m_folder))
        return false;
    const QString path = m_folder + QStringLiteral("/in-uso.lock");
    const bool leftBehind = QFileInfo::exists(path) || QFileInfo(path).isSymLink();
    m_session = std::make_unique<QLockFile>(path);
    // Only a dead owner leaves the mark behind; a live one keeps it for as long as it runs.
    m_session->setStaleLockTime(0);
    if (!m_session->tryLock(0)) {
        m_session.reset();
        return false;
    }
    return leftBehind;
}

void RecoveryStore::endSession() {
    if (m_session)
        m_session->unlock();
    m_session.reset();
}

std::optional<RecoveryStore::Copy> RecoveryStore::copy() const {
    QFile note(notePath());
    if (!QFileInfo(packagePath()).isFile() || !note.open(QIODevice::ReadOnly))
        return std::nullopt;
    const QStringList lines = QString::fromUtf8(note.readAll()).split(u'\n');
    if (lines.size() < 2 || lines[0].isEmpty())
        return std::nullopt;
    Copy copy;
    copy.package = packagePath();
    copy.skinName = lines[0];
    copy.written = QDateTime::fromString(lines[1], Qt::ISODate);
    if (!copy.written.isValid())
        copy.written = QFileInfo(packagePath()).lastModified();
    return copy;
}

bool RecoveryStore::writeNote(const QString& skinName) {
    QSaveFile note(notePath());
    const QByteArray bytes =
        (skinName + u'\n' + QDateTime::currentDateTimeUtc().toString(Qt::ISODate) + u'\n').toUtf8();
    return note.open(QIODevice::WriteOnly) && note.write(bytes) == bytes.size() && note.commit();
}

void RecoveryStore::remove() {
    // The note first: a package without one is never offered.
    QFile::remove(notePath());
    QFile::remove(packagePath());
}

namespace {

// Packs `files` (name, contents) with skin.ini into the package at `target`, through a private
// folder beside it: the working folder belongs to the user-interface thread.
QString packCopy(const Locations& locations, const QByteArray& ini,
                 const QList<std::pair<QString, QByteArray>>& files, const QString& title,
                 const QString& target) {
    QTemporaryDir staging(leftovers::temporaryFolderTemplate(QFileInfo(target).path()));
    if (!staging.isValid())
        return QDir::toNativeSeparators(QFileInfo(target).path());
    QStringList names{QStringLiteral("skin.ini")};
    QList<std::pair<QString, QByteArray>> all{{names.first(), ini}};
    all += files;
    for (const auto& [name, bytes] : all) {
        QFile out(staging.filePath(name));
        if (!out.open(QIODevice::WriteOnly) || out.write(bytes) != bytes.size())
            return QDir::toNativeSeparators(out.fileName());
        if (!names.contains(name))
            names << name;
    }
    RecordingErrorReporter recorder;
    ScopedErrorReporter scope(&recorder);
    cBinary writer(locations);
    if (!writer.CreaSknAt(staging.path(), names, target, title))
        return recorder.texts().isEmpty() ? QDir::toNativeSeparators(target)
                                          : recorder.texts().join(u' ');
    return {};
}

} // namespace

RecoveryKeeper::RecoveryKeeper(RecoveryStore* store, std::function<Snapshot()> snapshot,
                               QObject* parent)
    : QObject(parent), m_store(store), m_snapshot(std::move(snapshot)) {
    m_disk.setMaxThreadCount(1);
    m_timer.setSingleShot(true);
    m_timer.setInterval(kDefaultDelayMs);
    connect(&m_timer, &QTimer::timeout, this, [this] {
        if (m_document && m_document->isModified())
            writeNow();
    });
}

RecoveryKeeper::~RecoveryKeeper() {
    attach(nullptr);
    waitForDisk();
}

void RecoveryKeeper::waitForDisk() {
    m_disk.waitForDone();
}

void RecoveryKeeper::attach(SkinDocument* document) {
    for (const QMetaObject::Connection& c : m_connections)
        disconnect(c);
    m_connections.clear();
    m_timer.stop();
    if (m_modified)
        dropCopy();
    m_document = document;
    m_modified = document && document->isModified();
    if (!document)
        return;
    m_connections << connect(document, &SkinDocument::changed, this, [this] {
        if (m_document && m_document->isModified())
            schedule();
    });
    m_connections << connect(document, &SkinDocument::modifiedChanged, this,
                             &RecoveryKeeper::onModifiedChanged);
    if (m_modified)
        schedule();
}

void RecoveryKeeper::schedule() {
    // The first change after a write starts the wait; the ones during it ride along, so a copy
    // is at most one delay old and written at most once a delay.
    if (!m_timer.isActive())
        m_timer.start();
}

void RecoveryKeeper::onModifiedChanged(bool modified) {
    m_modified = modified;
    if (modified) {
        schedule();
        return;
    }
    // Saved, or undone back to what was saved: nothing is left to recover.
    m_timer.stop();
    dropCopy();
}

void RecoveryKeeper::dropCopy() {
    // Behind any write still under way, which would otherwise bring the copy back.
    RecoveryStore* store = m_store;
    m_disk.start([store] { store->remove(); });
}

void RecoveryKeeper::writeNow() {
    if (!m_document || !m_document->skin())
        return;
    QElapsedTimer clock;
    clock.start();
    const Snapshot now = m_snapshot();
    const QByteArray ini = m_document->iniBytes(now.parameters);
    QList<std::pair<QString, QByteArray>> files;
    for (const QString& name : now.files) {
        if (name.compare(QStringLiteral("skin.ini"), Qt::CaseInsensitive) == 0)
            continue;
        if (std::optional<QByteArray> bytes = m_document->fileBytes(name))
            files.append({name, *bytes});
    }
    const Locations locations = m_document->skin()->locations();
    const QString skinName = m_document->skin()->SkinName();
    const qint64 blocking = clock.nsecsElapsed();
    RecoveryStore* store = m_store;
    m_disk.start([this, store, locations, ini, files, title = now.title, skinName, blocking] {
        QString error = QDir().mkpath(store->folder())
                            ? packCopy(locations, ini, files, title, store->packagePath())
                            : QDir::toNativeSeparators(store->folder());
        if (error.isEmpty() && !store->writeNote(skinName))
            error = QDir::toNativeSeparators(store->folder());
        // The keeper waits for this job before it goes, so it is still there to be told.
        QMetaObject::invokeMethod(
            this, [this, error, blocking] { finished(error, blocking); }, Qt::QueuedConnection);
    });
}

void RecoveryKeeper::finished(const QString& error, qint64 blocking) {
    if (error.isEmpty()) {
        m_failing = false;
        Q_EMIT written(blocking);
        return;
    }
    // Said once: the next attempts would only repeat it while the user keeps editing.
    if (!m_failing)
        Q_EMIT failed(
            tr("Impossibile salvare la copia di recupero delle modifiche: %1").arg(error));
    m_failing = true;
}
