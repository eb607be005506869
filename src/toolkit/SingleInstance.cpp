#include "toolkit/SingleInstance.h"

#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QThread>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Long enough for a busy first copy to accept, short enough not to delay a start.
constexpr int kConnectTimeoutMs = 500;
// The copy holding the lock may not listen yet (it took the lock a moment ago).
constexpr int kTellAttempts = 8;
constexpr int kTellPauseMs = 100;

// A folder only this user can enter: anything another user could put there (a socket that
// answers, a plain file, a link) would otherwise decide whether this program starts.
bool IsPrivateFolder(const QString& path)
{
    struct stat info {};
    return ::lstat(QFile::encodeName(path).constData(), &info) == 0 && S_ISDIR(info.st_mode) &&
           info.st_uid == ::geteuid() && (info.st_mode & 077) == 0;
}

bool MakePrivateFolder(const QString& path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::mkdir(native.constData(), 0700) != 0 && errno != EEXIST)
        return false;
    return IsPrivateFolder(path);
}

} // namespace

SingleInstance::SingleInstance(const QString& name, QObject* parent) : QObject(parent)
{
    if (QDir::isAbsolutePath(name)) {
        m_serverName = name;
    } else {
        const QString folder = DefaultFolder();
        if (!folder.isEmpty())
            m_serverName = QDir(folder).filePath(name);
    }
}

SingleInstance::~SingleInstance()
{
    // The socket goes first, so no later start finds it answering after the lock is free. The
    // lock file stays: removing it would let a start lock a new file while another holds the
    // old one.
    delete m_server;
    if (m_lockFd >= 0)
        ::close(m_lockFd);
}

QString SingleInstance::DefaultFolder()
{
    const QString runtime = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (!runtime.isEmpty() && IsPrivateFolder(runtime))
        return runtime;
    const QString user = QString::number(::geteuid());
    const QString temporary = QDir(QDir::tempPath()).filePath("quorvel-" + user);
    if (MakePrivateFolder(temporary))
        return temporary;
    // Someone else took that name in the shared folder; the user's own cache folder is theirs.
    const QString cache = QStandardPaths::writableLocation(QStandardPaths::GenericCacheLocation);
    if (cache.isEmpty() || !QDir().mkpath(cache))
        return {};
    const QString own = QDir(cache).filePath("quorvel-" + user);
    return MakePrivateFolder(own) ? own : QString();
}

bool SingleInstance::TellRunningCopy() const
{
    for (int attempt = 0; attempt < kTellAttempts; ++attempt) {
        QLocalSocket socket;
        socket.connectToServer(m_serverName);
        if (socket.waitForConnected(kConnectTimeoutMs)) {
            socket.disconnectFromServer();
            return true;
        }
        QThread::msleep(kTellPauseMs);
    }
    return false;
}

bool SingleInstance::tryStart()
{
    if (m_lockFd >= 0)
        return true;
    if (m_serverName.isEmpty()) {
        qWarning("Quorvel: no private folder for the single-instance lock; not guarding");
        return true;
    }
    const QByteArray lockPath = QFile::encodeName(m_serverName + ".lock");
    const int fd = ::open(lockPath.constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
    if (fd < 0) {
        qWarning("Quorvel: cannot open %s; not guarding", lockPath.constData());
        return true;
    }
    // Whoever holds the lock is alive: the kernel lets go of it when a copy ends, also by a
    // crash. Deciding by the lock, not by who answers, leaves no moment for a second winner.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        ::close(fd);
        TellRunningCopy();
        return false;
    }
    m_lockFd = fd;
    // Holding the lock, any socket there is a leftover of a copy that did not end cleanly.
    QLocalServer::removeServer(m_serverName);
    auto* server = new QLocalServer(this);
    server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!server->listen(m_serverName)) {
        // The lock still keeps other copies out; they only cannot bring this one forward.
        qWarning("Quorvel: cannot listen on %s: %s", qPrintable(m_serverName),
                 qPrintable(server->errorString()));
        delete server;
        return true;
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
