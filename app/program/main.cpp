// Orvane: a talking clock for the Linux desktop.
#include "app/clock/ui/main_window.h"
#include "app/common/clock.h"
#include "app/program/instance_channel.h"
#include "app/program/last_chance_save.h"
#include "app/program/program.h"
#include "app/program/program_services.h"

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

// SIGTERM and SIGINT close the program the way its Exit button does, saving everything.
void InstallTerminationHandlers(QWidget *mainWindow)
{
    if (::socketpair(AF_UNIX, SOCK_STREAM, 0, g_signalPipe) != 0)
        return;
    auto *notifier = new QSocketNotifier(g_signalPipe[0], QSocketNotifier::Read, mainWindow);
    QObject::connect(notifier, &QSocketNotifier::activated, mainWindow, [mainWindow] {
        char c;
        [[maybe_unused]] auto n = ::read(g_signalPipe[0], &c, 1);
        mainWindow->close();
    });
    struct sigaction sa{};
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

bool HaveDisplay()
{
    return qEnvironmentVariableIsSet("QT_QPA_PLATFORM") || !qEnvironmentVariableIsEmpty("DISPLAY") ||
           !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY");
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
    if (!HaveDisplay()) {
        std::fprintf(stderr, "orvane: no display to show the clock on (DISPLAY is not set)\n");
        return 1;
    }

    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Orvane"));
    QApplication::setQuitOnLastWindowClosed(false);

    orvane::TInstanceChannel channel;
    if (!channel.becomeFirstInstance()) {
        // Another clock runs: bring it forward and end without touching any file.
        orvane::TInstanceChannel::sendToRunning(QStringLiteral("activate"));
        return 0;
    }

    // The help topics live in a static library, whose resources the linker would otherwise drop.
    Q_INIT_RESOURCE(help);
    orvane::TProgram program(orvane::ProgramClock::fromEnvironment(), orvane::MessageBoxesFromEnvironment());
    program.connectChannel(channel);
    InstallTerminationHandlers(&program.mainWindow());
    program.mainWindow().show();
    // A lost X display ends the program inside Qt or Xlib; the settings and alarms are saved then.
    orvane::ArmLastChanceSave([&program] { program.services().saveFiles(); });
    const int status = app.exec();
    orvane::DisarmLastChanceSave();
    return status;
}
