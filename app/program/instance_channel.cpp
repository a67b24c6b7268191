#include "app/program/instance_channel.h"

#include "app/common/paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>

#include <unistd.h>

namespace orvane {

TInstanceChannel::TInstanceChannel(QObject *parent) : QObject(parent) {}

TInstanceChannel::~TInstanceChannel()
{
    if (m_server)
        m_server->close();
}

QString TInstanceChannel::runtimeDir()
{
    QString dir = qEnvironmentVariable("XDG_RUNTIME_DIR");
    if (dir.isEmpty() || !QDir(dir).exists())
        dir = QDir::tempPath() + QStringLiteral("/orvane-%1").arg(::getuid());
    QDir().mkpath(dir);
    QFile::setPermissions(dir, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return dir;
}

// Instances with different home folders (ORVANE_HOME) are different programs to the user and
// must not meet; the key is a short hash of the settings folder.
static QString InstanceKey()
{
    const QByteArray home = QByteArray::fromStdString(IniDir());
    return QString::fromLatin1(QCryptographicHash::hash(home, QCryptographicHash::Sha1).toHex().left(12));
}

QString TInstanceChannel::socketPath() { return runtimeDir() + "/orvane-" + InstanceKey() + ".sock"; }

QString TInstanceChannel::lockPath() { return runtimeDir() + "/orvane-" + InstanceKey() + ".lock"; }

bool TInstanceChannel::becomeFirstInstance()
{
    m_lock = std::make_unique<QLockFile>(lockPath());
    m_lock->setStaleLockTime(0);
    if (!m_lock->tryLock(100)) {
        // A lock left by a crashed instance is stale when its process is gone.
        if (m_lock->error() != QLockFile::LockFailedError || !m_lock->removeStaleLockFile() ||
            !m_lock->tryLock(100))
            return false;
    }
    QLocalServer::removeServer(socketPath());
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(socketPath()))
        qWarning("orvane: cannot listen on %s: %s", qPrintable(socketPath()),
                 qPrintable(m_server->errorString()));
    connect(m_server, &QLocalServer::newConnection, this, &TInstanceChannel::onConnection);
    return true;
}

void TInstanceChannel::onConnection()
{
    while (QLocalSocket *s = m_server->nextPendingConnection()) {
        connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
        connect(s, &QLocalSocket::readyRead, this, [this, s] {
            while (s->canReadLine()) {
                const QByteArray word = s->readLine().trimmed();
                if (word == "activate")
                    emit activateRequested();
                else if (word == "announce")
                    emit announceRequested();
                else if (word == "quit")
                    emit quitRequested();
                s->write("ok\n");
            }
        });
    }
}

bool TInstanceChannel::sendToRunning(const QString &word, int timeoutMs)
{
    QLocalSocket s;
    s.connectToServer(socketPath());
    if (!s.waitForConnected(timeoutMs))
        return false;
    s.write(word.toLatin1() + "\n");
    if (!s.waitForBytesWritten(timeoutMs))
        return false;
    // The reply tells that the word arrived; the action itself happens in the running program.
    return s.waitForReadyRead(timeoutMs);
}

} // namespace orvane
