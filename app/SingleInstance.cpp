#include "SingleInstance.h"

#include <QDataStream>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <memory>

namespace qrl {

namespace {

// A hand-over: the size of what follows (32 bits), then the marker and the list of files in Qt's
// data stream. The running program answers one byte once it has them.
constexpr quint32 kMarker = 0x51524C31;
constexpr quint32 kMaxMessage = 1u << 20;
constexpr char kTaken = 'k';
constexpr int kConnectMs = 1000;
constexpr int kAnswerMs = 10000;
constexpr int kLockMs = 5000;

QByteArray messageOf(const QStringList& files)
{
    QByteArray body;
    QDataStream out(&body, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << kMarker << files;
    QByteArray message;
    QDataStream head(&message, QIODevice::WriteOnly);
    head << static_cast<quint32>(body.size());
    return message + body;
}

} // namespace

SingleInstance::SingleInstance(const QString& socketPath, QObject* parent)
    : QObject(parent), m_socketPath(socketPath)
{
}

SingleInstance::~SingleInstance() = default;

QString SingleInstance::defaultSocketPath()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (runtime.isEmpty() || !QDir::isAbsolutePath(runtime))
        return {};
    return QDir(runtime).filePath(QStringLiteral("Quorlyn32.socket"));
}

bool SingleInstance::isListening() const
{
    return m_server && m_server->isListening();
}

void SingleInstance::stopListening()
{
    delete m_server;
    m_server = nullptr;
}

bool SingleInstance::handOverOrListen(const QStringList& files)
{
    if (m_socketPath.isEmpty())
        return false;
    // Two starts at one moment: the lock lets one of them listen before the other looks.
    QLockFile lock(m_socketPath + QStringLiteral(".lock"));
    lock.tryLock(kLockMs);
    if (handOver(files))
        return true;
    listen();
    return false;
}

bool SingleInstance::handOver(const QStringList& files)
{
    QLocalSocket socket;
    socket.connectToServer(m_socketPath);
    if (!socket.waitForConnected(kConnectMs))
        return false;
    const QByteArray message = messageOf(files);
    if (socket.write(message) != message.size() || !socket.waitForBytesWritten(kConnectMs))
        return false;
    while (socket.bytesAvailable() < 1)
        if (!socket.waitForReadyRead(kAnswerMs))
            return false;
    char answer = 0;
    return socket.getChar(&answer) && answer == kTaken;
}

void SingleInstance::listen()
{
    // Nobody answered at the socket: what is left there is the socket of a program that ended.
    QLocalServer::removeServer(m_socketPath);
    auto server = std::make_unique<QLocalServer>(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_socketPath))
        return;
    m_server = server.release();
    connect(m_server, &QLocalServer::newConnection, this, &SingleInstance::receive);
}

void SingleInstance::receive()
{
    while (QLocalSocket* socket = m_server->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            if (socket->bytesAvailable() < 4)
                return;
            quint32 size = 0;
            QDataStream head(socket->peek(4));
            head >> size;
            if (size > kMaxMessage) {
                socket->abort();
                return;
            }
            if (socket->bytesAvailable() < 4 + static_cast<qint64>(size))
                return;
            socket->skip(4);
            QDataStream in(socket->read(size));
            in.setVersion(QDataStream::Qt_6_0);
            quint32 marker = 0;
            QStringList files;
            in >> marker >> files;
            if (in.status() != QDataStream::Ok || marker != kMarker) {
                socket->abort();
                return;
            }
            socket->putChar(kTaken);
            socket->flush();
            socket->disconnectFromServer();
            emit filesReceived(files);
        });
    }
}

} // namespace qrl
