#include "toolkit/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>
#include <unistd.h>

namespace {

// Long enough for a busy first copy to accept, short enough not to delay a start.
constexpr int kConnectTimeoutMs = 500;

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent)
    : QObject(parent), m_serverName(name + QStringLiteral("-") + QString::number(getuid()))
{
}

SingleInstance::~SingleInstance() = default;

bool SingleInstance::anotherCopyAnswers() const
{
    QLocalSocket socket;
    socket.connectToServer(m_serverName);
    if (!socket.waitForConnected(kConnectTimeoutMs))
        return false;
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::tryStart()
{
    if (m_server)
        return true;
    if (anotherCopyAnswers())
        return false;
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_serverName)) {
        // Nobody answered, so the name is a leftover of a copy that did not end cleanly.
        QLocalServer::removeServer(m_serverName);
        if (!server->listen(m_serverName)) {
            // Two copies starting at the same moment: the one that lost the race must not run.
            const bool other = anotherCopyAnswers();
            delete server;
            return !other;
        }
    }
    m_server = server;
    connect(m_server, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = m_server->nextPendingConnection()) {
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
            emit anotherStartAttempted();
        }
    });
    return true;
}
