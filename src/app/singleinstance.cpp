#include "singleinstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <QPointer>

namespace {

// A request is one line: the package's full path in UTF-8, empty for none. A file name cannot
// hold a line end on purpose, and one that does is refused by the reply never coming.
constexpr qint64 kMaxRequest = 64 * 1024;
const QByteArray kReply = QByteArrayLiteral("ok\n");

} // namespace

SingleInstance::SingleInstance(QString socketPath, QObject* parent)
    : QObject(parent), m_path(std::move(socketPath)), m_server(new QLocalServer(this)) {
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::onConnection);
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::handOver(const QString& socketPath, const QString& package, int timeoutMs) {
    if (package.contains(u'\n'))
        return false;
    QLocalSocket socket;
    socket.connectToServer(socketPath);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(package.toUtf8() + '\n');
    if (!socket.waitForBytesWritten(timeoutMs))
        return false;
    QByteArray reply;
    while (reply.size() < kReply.size() && socket.waitForReadyRead(timeoutMs))
        reply += socket.readAll();
    return reply.startsWith(kReply);
}

bool SingleInstance::listen() {
    // Only a dead editor's socket can be there: the caller holds the lock every editor takes.
    QLocalServer::removeServer(m_path);
    return m_server->listen(m_path);
}

void SingleInstance::onConnection() {
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (!socket->canReadLine()) {
                if (socket->bytesAvailable() > kMaxRequest)
                    socket->abort();
                return;
            }
            const QString package = QString::fromUtf8(socket->readLine()).chopped(1);
            socket->write(kReply);
            socket->flush();
            socket->disconnectFromServer();
            // Opening may ask about unsaved changes in a loop of its own: not from inside the
            // socket's handler, and not keeping the other start waiting for the answer.
            QMetaObject::invokeMethod(
                this, [this, package] { Q_EMIT activated(package); }, Qt::QueuedConnection);
        });
    }
}
