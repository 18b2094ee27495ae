#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

// One editor per user: a later start hands the package it was given (or nothing) to the running
// one through a local socket in the user's runtime folder, and ends.
class SingleInstance : public QObject {
    Q_OBJECT
public:
    explicit SingleInstance(QString socketPath, QObject* parent = nullptr);
    ~SingleInstance() override;

    // True once a running editor has taken `package` (a full path, or empty for none).
    static bool handOver(const QString& socketPath, const QString& package, int timeoutMs = 5000);

    // Starts answering later starts; a socket left by a dead editor is replaced. Call only while
    // holding the working folder's lock, so that no live editor's socket is taken away.
    bool listen();

Q_SIGNALS:
    // A later start asked for the front, with its package when it had one.
    void activated(const QString& package);

private:
    void onConnection();

    QString m_path;
    QLocalServer* m_server;
};
