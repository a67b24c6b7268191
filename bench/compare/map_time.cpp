// Starts a program and prints the milliseconds from its start to the first window mapped on the
// screen (under a window manager, the frame it maps for the program's window), then ends the
// program with SIGTERM. Exit status 1 when nothing was mapped within ten seconds.
//   bench_map_time PROGRAM [ARGUMENTS...]
#include <X11/Xlib.h>

#include <chrono>
#include <csignal>
#include <cstdio>

#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>

extern char **environ;

int main(int argc, char **argv)
{
    if (argc < 2) {
        std::fprintf(stderr, "usage: bench_map_time PROGRAM [ARGUMENTS...]\n");
        return 2;
    }
    Display *display = XOpenDisplay(nullptr);
    if (!display) {
        std::fprintf(stderr, "bench_map_time: no X display\n");
        return 2;
    }
    XSelectInput(display, DefaultRootWindow(display), SubstructureNotifyMask);
    XSync(display, False);
    using Clock = std::chrono::steady_clock;
    const auto start = Clock::now();
    pid_t pid = -1;
    if (posix_spawnp(&pid, argv[1], nullptr, nullptr, argv + 1, environ) != 0) {
        std::fprintf(stderr, "bench_map_time: cannot start %s\n", argv[1]);
        return 2;
    }
    const auto deadline = start + std::chrono::seconds(10);
    bool mapped = false;
    while (!mapped && Clock::now() < deadline) {
        while (!mapped && XPending(display)) {
            XEvent event;
            XNextEvent(display, &event);
            mapped = event.type == MapNotify && !event.xmap.override_redirect;
        }
        if (mapped)
            break;
        pollfd ready{ConnectionNumber(display), POLLIN, 0};
        poll(&ready, 1, 50);
    }
    const double ms = std::chrono::duration<double, std::milli>(Clock::now() - start).count();
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 100 && waitpid(pid, &status, WNOHANG) == 0; ++i)
        poll(nullptr, 0, 50);
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
    }
    XCloseDisplay(display);
    if (!mapped)
        return 1;
    std::printf("%.1f\n", ms);
    return 0;
}
