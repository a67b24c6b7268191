#pragma once
// Opens a TMsgAlrm for each message alarm the pass fires. Windows open at the same time are
// cascaded, so that a second alarm of the same minute never hides the first.
#include "app/alarms/message_alarm.h"
#include "app/alarms/msg_alrm_actions.h"
#include "app/platform/sound_player.h"

#include <QPointer>
#include <vector>

namespace orvane {

class TMsgAlrm;

class TMsgAlrmOpener : public MessageAlarmOpener {
public:
    // How far each further window is moved right and down from the centred first one, and how
    // many places the cascade has before it starts again at the centre.
    static constexpr int kCascadeStep = 28;
    static constexpr int kCascadePlaces = 8;

    TMsgAlrmOpener(TMsgAlrmActions &actions, SoundPlayer &sound) : m_actions(actions), m_sound(sound) {}
    // Shows the window first and fills in the text after, as the window has always done.
    void openMessageAlarm(const MessageAlarmRequest &request) override;

private:
    int freePlace();

    TMsgAlrmActions &m_actions;
    SoundPlayer &m_sound;
    // The window at each place of the cascade; a closed window frees its place.
    std::vector<QPointer<TMsgAlrm>> m_places;
};

} // namespace orvane
