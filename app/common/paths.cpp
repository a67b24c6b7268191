#include "app/common/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace orvane {
namespace {

std::string WithSlash(std::string dir)
{
    if (dir.empty() || dir.back() != '/')
        dir += '/';
    return dir;
}

std::string EnvOr(const char *name, const std::string &fallback)
{
    const char *v = std::getenv(name);
    return v && *v ? std::string(v) : fallback;
}

std::string HomeDir() { return EnvOr("HOME", "/tmp"); }

std::string OrvaneHome()
{
    const char *v = std::getenv("ORVANE_HOME");
    return v && *v ? WithSlash(v) : std::string();
}

} // namespace

std::string IniDir()
{
    if (auto home = OrvaneHome(); !home.empty())
        return home;
    return WithSlash(EnvOr("XDG_CONFIG_HOME", HomeDir() + "/.config") + "/orvane");
}

std::string ProgramDir()
{
    if (auto home = OrvaneHome(); !home.empty())
        return home;
    return WithSlash(EnvOr("XDG_DATA_HOME", HomeDir() + "/.local/share") + "/orvane");
}

bool EnsureDir(const std::string &dir)
{
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    return std::filesystem::is_directory(dir, ec);
}

} // namespace orvane
