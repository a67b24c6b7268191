#include "app/clock/ui/options_command.h"

#include "app/clock/options_apply.h"
#include "app/clock/ui/option_dialog.h"
#include "app/clock/update_run_line.h"

namespace orvane {
namespace {

class CommandHost : public OptionsApplyHost {
public:
    explicit CommandHost(const OptionsCommandParts &parts) : m_parts(parts) {}

    std::optional<std::string> updateRunLine(bool autoRun) override
    {
        return UpdateRunLine(m_parts.winIni, autoRun, m_parts.execPath);
    }
    void rebindHotKey(bool use, uint16_t key) override
    {
        if (m_parts.rebindHotKey)
            m_parts.rebindHotKey(use, key);
    }
    void applyLook() override
    {
        if (m_parts.applyLook)
            m_parts.applyLook();
    }
    void saveAll() override
    {
        if (m_parts.saveAll)
            m_parts.saveAll();
    }

private:
    const OptionsCommandParts &m_parts;
};

} // namespace

bool RunOptionsCommand(QWidget *parent, const OptionsCommandParts &parts,
                       const std::function<void(TOption &)> &prepare)
{
    TOption dialog(parts.live, parts.programDir, parent);
    if (prepare)
        prepare(dialog);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    CommandHost host(parts);
    if (auto failure = ApplyOptions(host, parts.live, dialog.working())) {
        if (parts.report)
            parts.report(*failure);
    }
    return true;
}

} // namespace orvane
