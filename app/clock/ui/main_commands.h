#pragma once
// The windows the main window opens through its speed bar and menus. The program registers what
// exists; the main window enables a button or menu item exactly when its command is available.
namespace orvane {

enum class MainCommand { Options, Alarms, CDPlayer, DownTimer, UpTimer, About };

class MainCommands {
public:
    virtual ~MainCommands() = default;
    virtual bool available(MainCommand command) const = 0;
    virtual void run(MainCommand command) = 0;
};

} // namespace orvane
