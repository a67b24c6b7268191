#pragma once
// Points ORVANE_HOME at a fresh folder for one test.
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

class HomeGuard {
public:
    HomeGuard()
    {
        static int n = 0;
        m_dir = std::filesystem::temp_directory_path() /
                ("orvane-ui-" + std::to_string(::getpid()) + "-" + std::to_string(n++));
        std::filesystem::remove_all(m_dir);
        std::filesystem::create_directories(m_dir);
        setenv("ORVANE_HOME", m_dir.c_str(), 1);
    }
    ~HomeGuard()
    {
        unsetenv("ORVANE_HOME");
        std::error_code ec;
        std::filesystem::remove_all(m_dir, ec);
    }
    std::string file(const std::string &name) const { return (m_dir / name).string(); }
    void write(const std::string &name, const std::string &text) const
    {
        std::ofstream(file(name), std::ios::binary) << text;
    }
    std::string read(const std::string &name) const
    {
        std::ifstream in(file(name), std::ios::binary);
        std::ostringstream s;
        s << in.rdbuf();
        return s.str();
    }

private:
    std::filesystem::path m_dir;
};
