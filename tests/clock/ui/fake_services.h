#pragma once
// Main-window services, commands and reporter that only remember what they were asked to do, and
// the program state a main window is built on.
#include "app/clock/program_state.h"
#include "app/clock/ui/main_commands.h"
#include "app/clock/ui/main_services.h"
#include "app/common/reporter.h"

#include <set>
#include <string>
#include <vector>

namespace orvane {

class FakeServices : public MainServices {
public:
    int saves = 0;
    bool shutDown = false;
    std::vector<std::string> calls;

    void saveAll() override { ++saves; }
    void shutdown() override { shutDown = true; }
    void initAlarms() override { calls.push_back("init"); }
    void runAlarmPass(TDateTime) override { calls.push_back("pass"); }
    void announce(int h, int m, bool requested) override
    {
        calls.push_back("announce " + std::to_string(h) + ":" + std::to_string(m) + (requested ? "!" : ""));
    }
    void decorateTitle(const std::string &) override {}
    void redecorateTitle(const std::string &) override {}
};

class FakeCommands : public MainCommands {
public:
    std::set<MainCommand> offered;
    std::vector<MainCommand> ran;

    bool available(MainCommand c) const override { return offered.count(c) != 0; }
    void run(MainCommand c) override { ran.push_back(c); }
};

class FakeReporter : public Reporter {
public:
    std::vector<std::string> reports;
    void reportWithCaption(const std::string &caption, const std::string &text) override
    {
        reports.push_back(caption + ": " + text);
    }
};

// Everything a main window is built on, read from the test's home folder as the program does.
struct MainParts {
    ProgramState state;
    FakeServices services;
    FakeCommands commands;
    FakeReporter reporter;
    MainParts() { LoadProgramState(state, {}); }
};

} // namespace orvane
