#pragma once

#include <QDateTime>
#include <QLockFile>
#include <QObject>
#include <QPointer>
#include <QString>
#include <QStringList>
#include <QThreadPool>
#include <QTimer>
#include <functional>
#include <memory>
#include <optional>

class SkinDocument;

// The copy of a skin's unsaved changes kept in the user's data folder, and the mark of a running
// editor beside it: a mark found at start-up that no live editor holds means the last one did not
// end normally, and its copy is worth offering.
class RecoveryStore {
public:
    // The user's data folder + "/recovery".
    static QString defaultFolder();
    explicit RecoveryStore(QString folder = defaultFolder());
    ~RecoveryStore();

    QString folder() const { return m_folder; }
    // The copy: a complete skin package.
    QString packagePath() const;

    // Marks this editor as running until endSession() or destruction. True when the editor
    // before it did not end normally.
    bool beginSession();
    void endSession();

    struct Copy {
        QString package;  // the copy itself
        QString skinName; // the skin it belongs to, as the document names it
        QDateTime written;
    };
    // The copy there is, when both it and the note of whose it is are there.
    std::optional<Copy> copy() const;
    // Records whose the package at packagePath() is; written after the package.
    bool writeNote(const QString& skinName);
    void remove();

private:
    QString notePath() const;

    QString m_folder;
    std::unique_ptr<QLockFile> m_session;
};

// Keeps the recovery copy of the skin being edited up to date: written a while after a change
// (never while nothing changed), removed once the changes are saved or discarded. The
// user-interface thread only takes a snapshot of the skin in memory; packing and writing it to
// disk, and removing it, happen in order on a thread of the keeper's own.
class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // What the list would save now: the parameters section, the files to pack, the title.
    struct Snapshot {
        QByteArray parameters;
        QStringList files;
        QString title;
    };
    static constexpr int kDefaultDelayMs = 30000;

    RecoveryKeeper(RecoveryStore* store, std::function<Snapshot()> snapshot,
                   QObject* parent = nullptr);
    // A keeper that goes away with the editor: the changes were saved or discarded by then.
    // Waits for what it has begun on disk.
    ~RecoveryKeeper() override;

    void setDelay(int ms) { m_timer.setInterval(ms); }
    bool isScheduled() const { return m_timer.isActive(); }

    // Follows `document` from now on (none: no skin open). The copy of the one followed so far,
    // if it had unsaved changes, is dropped: opening another skin discarded them.
    void attach(SkinDocument* document);
    // Takes the snapshot at once and writes it in the background; written() or failed() follows.
    void writeNow();
    // Waits until everything begun on disk is done (for tests and for the end).
    void waitForDisk();

Q_SIGNALS:
    // A copy is on disk; how long the user-interface thread spent on it.
    void written(qint64 blockingNanoseconds);
    // Said once, until a copy is written again.
    void failed(const QString& text);

private:
    void schedule();
    void onModifiedChanged(bool modified);
    void dropCopy();
    void finished(const QString& error, qint64 blocking);

    RecoveryStore* m_store;
    std::function<Snapshot()> m_snapshot;
    QPointer<SkinDocument> m_document;
    QList<QMetaObject::Connection> m_connections;
    QTimer m_timer;
    QThreadPool m_disk;      // one thread: writes and removals happen in the order asked
    bool m_modified = false; // what the followed document last said
    bool m_failing = false;  // a failure was shown and no write has succeeded since
};
