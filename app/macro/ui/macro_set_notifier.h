#pragma once

#include <QObject>
#include <QSocketNotifier>

#include <memory>

namespace orvane {

class TMacroSet;

// Brings the macro engine's requests and notifications into the program's event loop, so that
// code hooks and TMacroSet's events run on the program's thread.
class TMacroSetNotifier : public QObject {
    Q_OBJECT

public:
    explicit TMacroSetNotifier(QObject *parent = nullptr);

    // Starts watching once the engine is installed (its descriptor exists from then on).
    void Watch(const TMacroSet &set);

private:
    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace orvane
