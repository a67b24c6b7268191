// Orvane: a talking clock for the Linux desktop.
#include "app/clock/ui/help_key.h"
#include "app/clock/ui/main_window.h"
#include "app/common/clock.h"
#include "app/platform/x11/x11_display_check.h"
#include "app/program/instance_channel.h"
#include "app/program/last_chance_save.h"
#include "app/program/program.h"
#include "app/program/program_services.h"
#include "app/program/window_log.h"

#include "kyloom32.h"

#include <QApplication>
#include <QSocketNotifier>

#include <clocale>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <sys/socket.h>
#include <unistd.h>

namespace {

int g_signalPipe[2] = {-1, -1};

void OnTerminate(int)
{
    const char c = 1;
    [[maybe_unused]] auto n = ::write(g_signalPipe[1], &c, 1);
}

// SIGTERM and SIGINT close the program the way its Exit button does, saving everything, without
// waiting for anyone to click: a session logout must not hang on a message box.
void InstallTerminationHandlers(orvane::TProgram &program)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    QWidget *mainWindow = &program.mainWindow();
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [&program] {
        char c;
        [[maybe_unused]] auto n = ::read(g_signalPipe[0], &c, 1);
        program.closeUnattended();
    });
    struct sigaction sa {};
    sa.sa_handler = OnTerminate;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    sigaction(SIGTERM, &sa, nullptr);
    sigaction(SIGINT, &sa, nullptr);
}

void PrintUsage()
{
    std::puts("Usage: orvane [--announce | --quit | --ping | --version | --help]\n"
              "  (no option)  start the clock, or bring the running one to the front\n"
              "  --announce   make the running clock speak the time\n"
              "  --quit       close the running clock, saving its settings and alarms\n"
              "  --ping       succeed when a clock is running\n"
              "  --version    show the program's and the macro engine's versions");
}

// The title clock, the hot key and the macro engine are X11 features, so the clock always runs on
// Qt's X11 platform (through XWayland on a Wayland session). Qt aborts when it cannot open its
// display; checking first turns that into a clear message and exit status 1.
bool UseReachableX11Display()
{
    const std::string display = qEnvironmentVariable("DISPLAY").toStdString();
    if (const auto problem = orvane::X11DisplayProblem(display)) {
        std::string hint;
        if (display.empty() && !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY"))
            hint = " (this Wayland session offers no XWayland display)";
        std::fprintf(stderr, "orvane: no X display to show the clock on: %s%s. Orvane needs X11.\n",
                     problem->c_str(), hint.c_str());
        return false;
    }
    qputenv("QT_QPA_PLATFORM", "xcb");
    return true;
}

} // namespace

int main(int argc, char **argv)
{
    std::setlocale(LC_ALL, "");
    const char *command = argc > 1 ? argv[1] : nullptr;
    if (command && (!std::strcmp(command, "--help") || !std::strcmp(command, "-h"))) {
        PrintUsage();
        return 0;
    }
    if (command && !std::strcmp(command, "--version")) {
        const uint16_t v = GetKeyloomVersion();
        std::printf("Orvane 2.0 (Kyloom32 %d.%d)\n", v >> 8, v & 0xFF);
        return 0;
    }
    if (command && (!std::strcmp(command, "--announce") || !std::strcmp(command, "--quit") ||
                    !std::strcmp(command, "--ping"))) {
        const QString word = QString::fromLatin1(command + 2);
        if (!orvane::TInstanceChannel::sendToRunning(word)) {
            std::fprintf(stderr, "orvane: no running clock answered\n");
            return 1;
        }
        return 0;
    }
    if (command) {
        std::fprintf(stderr, "orvane: unknown option %s\n", command);
        PrintUsage();
        return 2;
    }
    if (!UseReachableX11Display())
        return 1;

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setQuitOnLastWindowClosed(false);

    orvane::TInstanceChannel channel;
    if (!channel.becomeFirstInstance()) {
        // Another clock runs: bring it forward and end without touching any file.
        orvane::TInstanceChannel::sendToRunning(QStringLiteral("activate"));
        return 0;
    }

    orvane::TProgram program(orvane::ProgramClock::fromEnvironment(), orvane::MessageBoxesFromEnvironment());
    program.connectChannel(channel);
    InstallTerminationHandlers(program);
    // F1 opens help on the window in front, wherever the focus is.
    orvane::THelpKey helpKey;
    app.installEventFilter(&helpKey);
    if (auto *windowLog = orvane::TWindowLog::fromEnvironment(&app))
        app.installEventFilter(windowLog);
    program.mainWindow().show();
    // A lost X display ends the program inside Qt or Xlib; the settings and alarms are saved then.
    orvane::ArmLastChanceSave([&program] { program.services().saveFiles(); });
    const int status = app.exec();
    orvane::DisarmLastChanceSave();
    return status;
}
