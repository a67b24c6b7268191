#include "macro_set_notifier.h"

#include "app/macro/macro_set.h"

namespace orvane {

TMacroSetNotifier::TMacroSetNotifier(QObject *parent) : QObject(parent) {}

void TMacroSetNotifier::Watch(const TMacroSet &set)
{
    const int descriptor = set.notifyDescriptor();
    if (descriptor < 0 || (m_notifier && m_notifier->socket() == descriptor))
        return;
    m_notifier = std::make_unique<QSocketNotifier>(descriptor, QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, [] { TMacroSet::ProcessNotifications(); });
}

} // namespace orvane
