#pragma once
// One running program per user and home folder. The first start holds a lock and listens on a
// local socket; a later start, or `orvane --announce` / `orvane --quit`, sends it one word
// ("activate", "announce", "quit") and ends.
#include <QObject>
#include <QString>

#include <memory>

class QLocalServer;
class QLockFile;

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
    void onConnection();

    std::unique_ptr<QLockFile> m_lock;
    QLocalServer *m_server = nullptr;
};

} // namespace orvane
