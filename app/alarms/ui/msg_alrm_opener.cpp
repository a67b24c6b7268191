#include "app/alarms/ui/msg_alrm_opener.h"

#include "app/alarms/ui/msg_alrm.h"

#include <QTextEdit>

namespace orvane {

int TMsgAlrmOpener::freePlace()
{
    m_places.resize(kCascadePlaces);
    for (int i = 0; i < kCascadePlaces; ++i)
        if (m_places[i].isNull())
            return i;
    // Every place is taken: start again at the centre rather than walk off the screen.
    return 0;
}

void TMsgAlrmOpener::openMessageAlarm(const MessageAlarmRequest &request)
{
    auto *window = new TMsgAlrm(m_actions, m_sound, request);
    const int place = freePlace();
    m_places[place] = window;
    window->move(window->pos() + QPoint(place * kCascadeStep, place * kCascadeStep));
    window->show();
    window->Memo1->setPlainText(
        QString::fromUtf8(request.text.data(), static_cast<int>(request.text.size())));
}

} // namespace orvane
