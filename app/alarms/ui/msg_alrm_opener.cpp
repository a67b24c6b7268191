#include "app/alarms/ui/msg_alrm_opener.h"

#include "app/alarms/ui/msg_alrm.h"

#include <QTextEdit>

namespace orvane {

void TMsgAlrmOpener::openMessageAlarm(const MessageAlarmRequest &request)
{
    auto *window = new TMsgAlrm(m_actions, m_sound, request);
    window->show();
    window->Memo1->setPlainText(QString::fromLocal8Bit(request.text.data(), static_cast<int>(request.text.size())));
}

} // namespace orvane
