#pragma once
// Opens a TMsgAlrm for each message alarm the pass fires.
#include "app/alarms/message_alarm.h"
#include "app/alarms/msg_alrm_actions.h"
#include "app/platform/sound_player.h"

namespace orvane {

class TMsgAlrmOpener : public MessageAlarmOpener {
public:
    TMsgAlrmOpener(TMsgAlrmActions &actions, SoundPlayer &sound) : m_actions(actions), m_sound(sound) {}
    // Shows the window first and fills in the text after, as the window has always done.
    void openMessageAlarm(const MessageAlarmRequest &request) override;

private:
    TMsgAlrmActions &m_actions;
    SoundPlayer &m_sound;
};

} // namespace orvane
