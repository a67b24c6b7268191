// The single-instance channel over a real local socket: the lock, the one-word protocol, and a
// server that neither blocks nor grows for clients that misbehave. The server runs on this
// thread's event loop; the sending side runs on another thread, as it would in another process.
#include "app/program/instance_channel.h"

#include "tests/support/env_guard.h"
#include "tests/support/temp_dir.h"

#include <QCoreApplication>
#include <QFile>
#include <QLockFile>

#include <gtest/gtest.h>

#include <cerrno>
#include <chrono>
#include <cstring>
#include <filesystem>
#include <future>
#include <memory>
#include <poll.h>
#include <string>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>
#include <vector>

using orvane::TInstanceChannel;
using namespace std::chrono_literals;

namespace {

using SteadyClock = std::chrono::steady_clock;

struct Signals {
    int activate = 0;
    int announce = 0;
    int quit = 0;
};

void Connect(TInstanceChannel &channel, Signals &seen)
{
    QObject::connect(&channel, &TInstanceChannel::activateRequested, [&seen] { ++seen.activate; });
    QObject::connect(&channel, &TInstanceChannel::announceRequested, [&seen] { ++seen.announce; });
    QObject::connect(&channel, &TInstanceChannel::quitRequested, [&seen] { ++seen.quit; });
}

void Serve(std::chrono::milliseconds span)
{
    const auto end = SteadyClock::now() + span;
    while (SteadyClock::now() < end) {
        QCoreApplication::processEvents();
        std::this_thread::sleep_for(1ms);
    }
}

// sendToRunning on another thread while this one serves, as `orvane --quit` does from outside.
bool Exchange(const QString &word, int timeoutMs = 10000)
{
    auto answer = std::async(std::launch::async,
                             [word, timeoutMs] { return TInstanceChannel::sendToRunning(word, timeoutMs); });
    while (answer.wait_for(1ms) != std::future_status::ready)
        QCoreApplication::processEvents();
    return answer.get();
}

sockaddr_un AddressOf(const std::string &path)
{
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::strncpy(address.sun_path, path.c_str(), sizeof address.sun_path - 1);
    return address;
}

// A client that speaks the protocol by hand, or fails to.
class RawClient {
public:
    RawClient()
    {
        m_fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
        const sockaddr_un address = AddressOf(TInstanceChannel::socketPath().toStdString());
        m_connected = ::connect(m_fd, reinterpret_cast<const sockaddr *>(&address), sizeof address) == 0;
    }
    ~RawClient() { close(); }
    RawClient(const RawClient &) = delete;
    RawClient &operator=(const RawClient &) = delete;

    bool connected() const { return m_connected; }
    void send(const std::string &text) { ::send(m_fd, text.data(), text.size(), MSG_NOSIGNAL); }
    void close()
    {
        if (m_fd >= 0)
            ::close(m_fd);
        m_fd = -1;
    }
    // What the server answers while it is served, until `bytes` came, it hung up or time ran out.
    std::string read(std::size_t bytes)
    {
        std::string text;
        const auto end = SteadyClock::now() + 10s;
        while (text.size() < bytes && SteadyClock::now() < end) {
            QCoreApplication::processEvents();
            char buffer[256];
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n > 0)
                text.append(buffer, std::size_t(n));
            else if (n == 0 || errno != EAGAIN)
                break;
            else
                std::this_thread::sleep_for(1ms);
        }
        return text;
    }
    // Served a while, the connection is still there and nothing came on it.
    bool waitingQuietly()
    {
        Serve(100ms);
        char byte;
        return ::recv(m_fd, &byte, 1, 0) < 0 && errno == EAGAIN;
    }
    bool hungUpByServer()
    {
        const auto end = SteadyClock::now() + 10s;
        while (SteadyClock::now() < end) {
            QCoreApplication::processEvents();
            char buffer[256];
            const ssize_t n = ::recv(m_fd, buffer, sizeof buffer, 0);
            if (n == 0 || (n < 0 && errno == ECONNRESET))
                return true;
            std::this_thread::sleep_for(1ms);
        }
        return false;
    }

private:
    int m_fd = -1;
    bool m_connected = false;
};

// A socket bound at `path`, listening when asked, never accepting.
int BoundSocket(const std::string &path, bool listening)
{
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    const sockaddr_un address = AddressOf(path);
    EXPECT_EQ(::bind(fd, reinterpret_cast<const sockaddr *>(&address), sizeof address), 0)
        << std::strerror(errno);
    if (listening)
        ::listen(fd, 4);
    return fd;
}

class InstanceChannelTest : public ::testing::Test {
protected:
    static void SetUpTestSuite()
    {
        static int argc = 1;
        static char name[] = "test_instance_channel";
        static char *argv[] = {name, nullptr};
        if (!QCoreApplication::instance())
            new QCoreApplication(argc, argv);
    }
    void SetUp() override
    {
        std::filesystem::create_directories(m_dir.path() / "run");
        std::filesystem::create_directories(m_dir.path() / "home");
    }

    TempDir m_dir;
    EnvGuard m_runtime{"XDG_RUNTIME_DIR", m_dir.file("run")};
    EnvGuard m_home{"ORVANE_HOME", m_dir.file("home")};
};

TEST_F(InstanceChannelTest, ASecondInstanceIsRefusedUntilTheFirstEnds)
{
    auto first = std::make_unique<TInstanceChannel>();
    ASSERT_TRUE(first->becomeFirstInstance());
    TInstanceChannel second;
    EXPECT_FALSE(second.becomeFirstInstance());
    first.reset();
    TInstanceChannel third;
    EXPECT_TRUE(third.becomeFirstInstance());
    EXPECT_TRUE(Exchange("ping"));
}

TEST_F(InstanceChannelTest, EveryWordIsAnsweredAndTheKnownOnesAreSignalled)
{
    struct Case {
        const char *word;
        Signals expected;
    };
    const Case cases[] = {
        {"activate", {1, 0, 0}}, {"announce", {0, 1, 0}}, {"quit", {0, 0, 1}},
        {"ping", {0, 0, 0}},     {"Quit", {0, 0, 0}},     {"", {0, 0, 0}},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.word);
        TInstanceChannel channel;
        ASSERT_TRUE(channel.becomeFirstInstance());
        Signals seen;
        Connect(channel, seen);
        EXPECT_TRUE(Exchange(c.word));
        EXPECT_EQ(seen.activate, c.expected.activate);
        EXPECT_EQ(seen.announce, c.expected.announce);
        EXPECT_EQ(seen.quit, c.expected.quit);
    }
}

TEST_F(InstanceChannelTest, SeveralLinesOnOneConnectionEachGetTheirAnswer)
{
    TInstanceChannel channel;
    ASSERT_TRUE(channel.becomeFirstInstance());
    Signals seen;
    Connect(channel, seen);
    RawClient client;
    ASSERT_TRUE(client.connected());
    client.send("ping\nannounce\r\n  quit \n");
    EXPECT_EQ(client.read(9), "ok\nok\nok\n");
    EXPECT_EQ(seen.announce, 1);
    EXPECT_EQ(seen.quit, 1);
}

TEST_F(InstanceChannelTest, AWordSentJustBeforeTheClientLeavesStillCounts)
{
    TInstanceChannel channel;
    ASSERT_TRUE(channel.becomeFirstInstance());
    Signals seen;
    Connect(channel, seen);
    {
        RawClient client;
        ASSERT_TRUE(client.connected());
        client.send("quit\n");
    }
    Serve(200ms);
    EXPECT_EQ(seen.quit, 1);
    EXPECT_TRUE(Exchange("ping"));
}

TEST_F(InstanceChannelTest, NothingToAnswerGivesFalseWithoutWaitingOutTheLimit)
{
    enum class Leftover { None, DeadSocketFile, RegularFile };
    for (const Leftover leftover : {Leftover::None, Leftover::DeadSocketFile, Leftover::RegularFile}) {
        SCOPED_TRACE(int(leftover));
        const std::string path = TInstanceChannel::socketPath().toStdString();
        std::filesystem::remove(path);
        if (leftover == Leftover::DeadSocketFile)
            ::close(BoundSocket(path, false));
        if (leftover == Leftover::RegularFile)
            TempDir::write(path, "not a socket");
        const auto start = SteadyClock::now();
        EXPECT_FALSE(TInstanceChannel::sendToRunning("ping", 60000));
        // Refused at once: nowhere near the minute it was allowed.
        EXPECT_LT(SteadyClock::now() - start, 30s);
    }
}

TEST_F(InstanceChannelTest, AProgramThatNeverAnswersIsGivenUpAtTheLimit)
{
    const int fd = BoundSocket(TInstanceChannel::socketPath().toStdString(), true);
    EXPECT_FALSE(TInstanceChannel::sendToRunning("quit", 200));
    ::close(fd);
}

TEST_F(InstanceChannelTest, MisbehavingClientsDoNotStopTheServer)
{
    enum class Expect { KeptOpen, HungUp };
    struct Case {
        const char *name;
        std::string text;
        Expect expect;
    };
    const Case cases[] = {
        {"silent", "", Expect::KeptOpen},
        {"half a word", "annou", Expect::KeptOpen},
        {"long line without an end", std::string(300, 'x'), Expect::HungUp},
        {"huge line without an end", std::string(4 << 20, 'x'), Expect::HungUp},
        {"long line with an end", std::string(300, 'x') + "\n", Expect::HungUp},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.name);
        TInstanceChannel channel;
        ASSERT_TRUE(channel.becomeFirstInstance());
        Signals seen;
        Connect(channel, seen);
        RawClient client;
        ASSERT_TRUE(client.connected());
        client.send(c.text);
        // Another client is served while this one misbehaves.
        EXPECT_TRUE(Exchange("announce"));
        EXPECT_EQ(seen.announce, 1);
        if (c.expect == Expect::HungUp)
            EXPECT_TRUE(client.hungUpByServer());
        else
            EXPECT_TRUE(client.waitingQuietly());
    }
}

TEST_F(InstanceChannelTest, ManySilentClientsDoNotShutOutARealRequest)
{
    TInstanceChannel channel;
    ASSERT_TRUE(channel.becomeFirstInstance());
    std::vector<std::unique_ptr<RawClient>> silent;
    for (int i = 0; i < 40; ++i) {
        silent.push_back(std::make_unique<RawClient>());
        Serve(2ms);
    }
    EXPECT_TRUE(Exchange("ping"));
    // The earliest were let go to make room; the latest still wait.
    EXPECT_TRUE(silent.front()->hungUpByServer());
}

TEST_F(InstanceChannelTest, AClientGoneBeforeItsAnswersDoesNotEndTheProgram)
{
    TInstanceChannel channel;
    ASSERT_TRUE(channel.becomeFirstInstance());
    {
        RawClient client;
        ASSERT_TRUE(client.connected());
        std::string lines;
        for (int i = 0; i < 2000; ++i)
            lines += "ping\n";
        client.send(lines);
    }
    // Answering a peer that is gone raises SIGPIPE unless the server asks otherwise; the signal
    // would end this test program here.
    Serve(200ms);
    EXPECT_TRUE(Exchange("ping"));
}

TEST_F(InstanceChannelTest, TheSocketIsTheUsersOnlyAndGoesWithTheChannel)
{
    const std::string path = TInstanceChannel::socketPath().toStdString();
    {
        TInstanceChannel channel;
        ASSERT_TRUE(channel.becomeFirstInstance());
        struct stat file {};
        ASSERT_EQ(::stat(path.c_str(), &file), 0);
        EXPECT_TRUE(S_ISSOCK(file.st_mode));
        EXPECT_EQ(file.st_mode & 0777, 0600u);
        struct stat folder {};
        ASSERT_EQ(::stat(m_dir.file("run").c_str(), &folder), 0);
        EXPECT_EQ(folder.st_mode & 0777, 0700u);
    }
    EXPECT_FALSE(std::filesystem::exists(std::filesystem::symlink_status(path)));
}

TEST_F(InstanceChannelTest, FilesLeftByAKilledInstanceDoNotStopANewOne)
{
    const QString lock = TInstanceChannel::lockPath();
    const std::string socket = TInstanceChannel::socketPath().toStdString();
    // A child takes the lock, binds the socket and dies without cleaning up, as after kill -9.
    const pid_t child = ::fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        QLockFile held(lock);
        const bool locked = held.tryLock(0);
        ::close(BoundSocket(socket, true));
        ::_exit(locked ? 0 : 1);
    }
    int status = 0;
    ASSERT_EQ(::waitpid(child, &status, 0), child);
    ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    ASSERT_TRUE(std::filesystem::exists(std::filesystem::symlink_status(socket)));

    TInstanceChannel channel;
    ASSERT_TRUE(channel.becomeFirstInstance());
    Signals seen;
    Connect(channel, seen);
    EXPECT_TRUE(Exchange("activate"));
    EXPECT_EQ(seen.activate, 1);
}

TEST_F(InstanceChannelTest, ASocketPathTooLongForTheSystemIsRefusedNotCut)
{
    const std::string deep = m_dir.file("run") + "/" + std::string(120, 'd');
    std::filesystem::create_directories(deep);
    EnvGuard runtime("XDG_RUNTIME_DIR", deep);
    ASSERT_GT(TInstanceChannel::socketPath().size(), qsizetype(sizeof(sockaddr_un::sun_path)));
    TInstanceChannel channel;
    // The clock still runs, alone; nothing can reach it and nothing pretends to.
    EXPECT_TRUE(channel.becomeFirstInstance());
    EXPECT_FALSE(TInstanceChannel::sendToRunning("ping", 1000));
}

} // namespace
