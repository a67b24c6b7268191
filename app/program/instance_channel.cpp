#include "app/program/instance_channel.h"

#include "app/common/paths.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QSocketNotifier>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstring>
#include <poll.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace orvane {

namespace {

using SteadyClock = std::chrono::steady_clock;

// A word is a few letters; anything longer without an end of line is not a client of ours, and
// keeping it would let one connection grow the clock's memory without bound.
constexpr qsizetype MaxLineLength = 256;
// Clients that connect and stay silent hold a descriptor each; past this many the oldest goes,
// so that a real request is never turned away.
constexpr std::size_t MaxConnections = 16;
// How much one wake-up reads from a client before the clock gets its turn again.
constexpr qsizetype MaxReadPerWakeUp = 64 * 1024;
constexpr int ListenBacklog = 8;
constexpr std::chrono::milliseconds ListenPause{1000};

// False when the path does not fit the address (the kernel would cut it and meet another socket).
bool MakeAddress(const QByteArray &path, sockaddr_un &address)
{
    std::memset(&address, 0, sizeof address);
    address.sun_family = AF_UNIX;
    if (path.isEmpty() || path.size() >= qsizetype(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, path.constData(), path.size());
    return true;
}

int RemainingMs(SteadyClock::time_point deadline)
{
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - SteadyClock::now());
    return int(std::max<std::chrono::milliseconds::rep>(left.count(), 0));
}

// Waits until `fd` is ready for `events` or has failed; false when the deadline passed first.
bool WaitFor(int fd, short events, SteadyClock::time_point deadline)
{
    for (;;) {
        pollfd p{fd, events, 0};
        const int n = ::poll(&p, 1, RemainingMs(deadline));
        if (n > 0)
            return true;
        if (n == 0 || errno != EINTR)
            return false;
    }
}

// A full listen queue answers EAGAIN at once on a non-blocking local socket, and there is no
// readiness to wait for; the client tries again in short steps until its deadline.
bool ConnectBefore(int fd, const sockaddr_un &address, SteadyClock::time_point deadline)
{
    for (;;) {
        if (::connect(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0)
            return true;
        if (errno == EINTR)
            continue;
        if (errno == EINPROGRESS) {
            int error = 0;
            socklen_t length = sizeof error;
            return WaitFor(fd, POLLOUT, deadline) &&
                   ::getsockopt(fd, SOL_SOCKET, SO_ERROR, &error, &length) == 0 && error == 0;
        }
        if (errno != EAGAIN || RemainingMs(deadline) == 0)
            return false;
        ::usleep(5000);
    }
}

// MSG_NOSIGNAL: a peer that went away is an error to report, not a signal that ends the program.
bool SendAllBefore(int fd, QByteArray data, SteadyClock::time_point deadline)
{
    while (!data.isEmpty()) {
        const ssize_t n = ::send(fd, data.constData(), std::size_t(data.size()), MSG_NOSIGNAL);
        if (n > 0) {
            data.remove(0, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN && WaitFor(fd, POLLOUT, deadline))
            continue;
        return false;
    }
    return true;
}

// The running program answers "ok" to every line it receives.
bool ReadAnswerBefore(int fd, SteadyClock::time_point deadline)
{
    QByteArray answer;
    while (!answer.contains('\n') && answer.size() < MaxLineLength) {
        char buffer[64];
        const ssize_t n = ::recv(fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            answer.append(buffer, n);
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN && WaitFor(fd, POLLIN, deadline))
            continue;
        return false;
    }
    return answer.startsWith("ok\n");
}

void CloseDescriptor(int fd)
{
    // Linux frees the descriptor even when close() is interrupted, so it is never repeated.
    if (fd >= 0)
        ::close(fd);
}

} // namespace

TInstanceChannel::TInstanceChannel(QObject *parent) : QObject(parent) {}

TInstanceChannel::~TInstanceChannel()
{
    while (!m_connections.empty())
        closeConnection(m_connections.front()->fd);
    if (m_listenNotifier)
        m_listenNotifier->setEnabled(false);
    CloseDescriptor(m_listenFd);
    // The socket goes before the lock (a member, released after this body): a new instance that
    // takes the lock next must not lose the socket it binds to our late clean-up.
    if (!m_boundPath.isEmpty())
        ::unlink(m_boundPath.constData());
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
    // Without the socket the clock still runs; only later starts cannot reach it.
    listen();
    return true;
}

void TInstanceChannel::listen()
{
    const QByteArray path = QFile::encodeName(socketPath());
    sockaddr_un address;
    if (!MakeAddress(path, address)) {
        qWarning("orvane: cannot listen on %s: the path is too long for a local socket", path.constData());
        return;
    }
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0) {
        qWarning("orvane: cannot open a local socket: %s", std::strerror(errno));
        return;
    }
    // We hold the lock, so a socket file here is what a killed instance left behind.
    ::unlink(path.constData());
    // Linux creates the socket file with the socket's own mode, so it is the user's alone from
    // the start; the chmod after binding makes sure on systems that ignore this.
    ::fchmod(fd, S_IRUSR | S_IWUSR);
    if (::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) != 0 ||
        ::chmod(path.constData(), S_IRUSR | S_IWUSR) != 0 || ::listen(fd, ListenBacklog) != 0) {
        qWarning("orvane: cannot listen on %s: %s", path.constData(), std::strerror(errno));
        CloseDescriptor(fd);
        ::unlink(path.constData());
        return;
    }
    m_listenFd = fd;
    m_boundPath = path;
    m_listenNotifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_listenNotifier, &QSocketNotifier::activated, this, &TInstanceChannel::onConnection);
}

void TInstanceChannel::onConnection()
{
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd >= 0) {
            addConnection(fd);
            continue;
        }
        if (errno == EINTR || errno == ECONNABORTED)
            continue;
        if (errno != EAGAIN && errno != EWOULDBLOCK)
            pauseListening();
        return;
    }
}

// With no descriptor left the waiting client stays queued and the socket stays readable; the
// notifier rests a while instead of waking the clock in a tight loop.
void TInstanceChannel::pauseListening()
{
    qWarning("orvane: cannot take a connection: %s", std::strerror(errno));
    m_listenNotifier->setEnabled(false);
    QTimer::singleShot(ListenPause, this, [this] { m_listenNotifier->setEnabled(true); });
}

void TInstanceChannel::addConnection(int fd)
{
    if (m_connections.size() >= MaxConnections)
        closeConnection(m_connections.front()->fd);
    auto connection = std::make_unique<Connection>();
    connection->fd = fd;
    connection->notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(connection->notifier, &QSocketNotifier::activated, this, [this, fd] { onReadable(fd); });
    m_connections.push_back(std::move(connection));
}

void TInstanceChannel::onReadable(int fd)
{
    const auto it =
        std::find_if(m_connections.begin(), m_connections.end(), [fd](const auto &c) { return c->fd == fd; });
    if (it == m_connections.end())
        return;
    std::vector<Word> words;
    // Lines that came just before the client closed its end still count.
    const bool readable = readInto(**it);
    const bool answerable = answerLines(**it, words);
    if (!readable || !answerable)
        closeConnection(fd);
    // The answers are out and the connection is settled before anything reacts to the words:
    // what a word starts (a window, the end of the program) cannot reach a half-read client.
    for (const Word word : words)
        emitWord(word);
}

// Reads what the client has sent; false when it closed its end or failed.
bool TInstanceChannel::readInto(Connection &connection)
{
    qsizetype total = 0;
    while (total < MaxReadPerWakeUp) {
        char buffer[512];
        const ssize_t n = ::recv(connection.fd, buffer, sizeof buffer, 0);
        if (n > 0) {
            connection.pending.append(buffer, n);
            total += n;
            // A line never legitimately runs this long; drop the client before it costs memory.
            if (connection.pending.size() > MaxLineLength && !connection.pending.contains('\n'))
                return false;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        return n < 0 && errno == EAGAIN;
    }
    return true;
}

// Answers every complete line and collects its word; false when the client is to be dropped.
// A word counts even when its answer cannot be sent: `orvane --quit` may be gone already.
bool TInstanceChannel::answerLines(Connection &connection, std::vector<Word> &words)
{
    bool answering = true;
    for (qsizetype end = connection.pending.indexOf('\n'); end >= 0; end = connection.pending.indexOf('\n')) {
        if (end > MaxLineLength)
            return false;
        const QByteArray line = connection.pending.left(end).trimmed();
        connection.pending.remove(0, end + 1);
        if (line == "activate")
            words.push_back(Word::Activate);
        else if (line == "announce")
            words.push_back(Word::Announce);
        else if (line == "quit")
            words.push_back(Word::Quit);
        // A client that does not read its answers until its socket is full is not waited for.
        if (answering)
            answering = ::send(connection.fd, "ok\n", 3, MSG_NOSIGNAL | MSG_DONTWAIT) == 3;
    }
    return answering && connection.pending.size() <= MaxLineLength;
}

void TInstanceChannel::closeConnection(int fd)
{
    const auto it =
        std::find_if(m_connections.begin(), m_connections.end(), [fd](const auto &c) { return c->fd == fd; });
    if (it == m_connections.end())
        return;
    // The notifier lets go of the descriptor before it is closed and perhaps handed out again.
    (*it)->notifier->setEnabled(false);
    (*it)->notifier->deleteLater();
    CloseDescriptor(fd);
    m_connections.erase(it);
}

void TInstanceChannel::emitWord(Word word)
{
    switch (word) {
    case Word::Activate: emit activateRequested(); break;
    case Word::Announce: emit announceRequested(); break;
    case Word::Quit: emit quitRequested(); break;
    }
}

bool TInstanceChannel::sendToRunning(const QString &word, int timeoutMs)
{
    sockaddr_un address;
    if (!MakeAddress(QFile::encodeName(socketPath()), address))
        return false;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    if (fd < 0)
        return false;
    const auto step = std::chrono::milliseconds(std::max(timeoutMs, 0));
    // Each step has the whole time limit, as a slow but living program may need it for any one.
    const bool answered = ConnectBefore(fd, address, SteadyClock::now() + step) &&
                          SendAllBefore(fd, word.toLatin1() + "\n", SteadyClock::now() + step) &&
                          ReadAnswerBefore(fd, SteadyClock::now() + step);
    CloseDescriptor(fd);
    return answered;
}

} // namespace orvane
