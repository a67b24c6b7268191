#include "app/alarms/ui/alarm_services.h"

#include <cstdio>

namespace orvane {

TAlarmServices::TAlarmServices(const Clock &clock, SoundPlayer &sound, WindowLayer *windows,
                               int &snoozeMinutes, TCDFlags &cd, std::string filePath)
    : m_file(std::move(filePath)), m_launcher(windows), m_actions(m_table, clock, sound, snoozeMinutes),
      m_opener(m_actions, sound),
      m_pass(AlarmPassServices{
          .table = m_table,
          .clock = clock,
          .sound = sound,
          .launcher = m_launcher,
          .cd = cd,
          .messages = &m_opener,
          .reportError =
              [](const std::string &error) { std::fprintf(stderr, "orvane: %s\n", error.c_str()); },
      })
{}

void TAlarmServices::setAlarmListChanged(const std::function<void()> &hook)
{
    m_pass.setAlarmListChanged(hook);
    m_actions.setAlarmListChanged(hook);
}

} // namespace orvane
