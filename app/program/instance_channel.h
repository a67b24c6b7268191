#pragma once
// One running program per user and home folder. The first start holds a lock and listens on a
// local socket; a later start, or `orvane --announce` / `orvane --quit`, sends it one word
// ("activate", "announce", "quit") and ends.
#include <QByteArray>
#include <QObject>
#include <QString>

#include <memory>
#include <vector>

class QLockFile;
class QSocketNotifier;

namespace orvane {

class TInstanceChannel : public QObject {
    Q_OBJECT
public:
    explicit TInstanceChannel(QObject *parent = nullptr);
    ~TInstanceChannel() override;

    // Takes the lock and starts listening; false when another instance already runs.
    bool becomeFirstInstance();
    // Sends a word to the running instance; false when none answered within the time limit.
    static bool sendToRunning(const QString &word, int timeoutMs = 3000);
    // Folder, lock file and socket of this user's instance.
    static QString runtimeDir();
    static QString socketPath();
    static QString lockPath();

signals:
    void activateRequested();
    void announceRequested();
    void quitRequested();

private:
    enum class Word { Activate, Announce, Quit };
    // One client of the listening socket and the part of a line it has sent so far.
    struct Connection {
        int fd = -1;
        QSocketNotifier *notifier = nullptr;
        QByteArray pending;
    };

    void listen();
    void onConnection();
    void pauseListening();
    void addConnection(int fd);
    void onReadable(int fd);
    bool readInto(Connection &connection);
    bool answerLines(Connection &connection, std::vector<Word> &words);
    void closeConnection(int fd);
    void emitWord(Word word);

    std::unique_ptr<QLockFile> m_lock;
    int m_listenFd = -1;
    QSocketNotifier *m_listenNotifier = nullptr;
    QByteArray m_boundPath;
    std::vector<std::unique_ptr<Connection>> m_connections;
};

} // namespace orvane
