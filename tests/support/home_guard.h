#pragma once
// Points ORVANE_HOME at a fresh folder for one test, where the program keeps every file.
#include "tests/support/env_guard.h"
#include "tests/support/temp_dir.h"

#include <string>

class HomeGuard {
public:
    HomeGuard() : m_env("ORVANE_HOME", m_dir.path().string()) {}

    std::string file(const std::string &name) const { return m_dir.file(name); }
    void write(const std::string &name, const std::string &text) const { TempDir::write(file(name), text); }
    std::string read(const std::string &name) const { return TempDir::read(file(name)); }

private:
    // The folder outlives the variable that names it.
    TempDir m_dir;
    EnvGuard m_env;
};
