#include "app/clock/autostart_entry.h"

#include "app/common/atomic_file.h"
#include "app/common/paths.h"

#include <cstdlib>
#include <filesystem>
#include <system_error>

namespace orvane {
namespace {

std::string ConfigHome()
{
    const char *xdg = std::getenv("XDG_CONFIG_HOME");
    if (xdg && *xdg == '/')
        return xdg;
    const char *home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.config";
}

// A desktop entry's Exec value: an argument with blanks or special characters goes in double
// quotes with ", `, $ and \ escaped; the value as a whole then escapes its backslashes again,
// and a literal "%" is doubled so that it is not read as a field code.
std::string ExecValue(const std::string &path)
{
    const bool plain = path.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos;
    std::string arg;
    if (plain) {
        arg = path;
    } else {
        arg = "\"";
        for (char c : path) {
            if (c == '"' || c == '`' || c == '$' || c == '\\')
                arg += '\\';
            arg += c;
        }
        arg += '"';
    }
    std::string value;
    for (char c : arg) {
        if (c == '\\')
            value += "\\\\";
        else if (c == '%')
            value += "%%";
        else if (c == '\n')
            value += ' ';
        else
            value += c;
    }
    return value;
}

} // namespace

std::string AutostartEntryPath() { return ConfigHome() + "/autostart/orvane.desktop"; }

std::string AutostartEntryText(const std::string &execPath)
{
    return "[Desktop Entry]\n"
           "Type=Application\n"
           "Name=Orvane\n"
           "Comment=Talking clock\n"
           "Exec=" +
           ExecValue(execPath) +
           "\n"
           "Icon=orvane\n"
           "Terminal=false\n"
           "X-GNOME-Autostart-enabled=true\n";
}

std::optional<std::string> SyncAutostartEntry(bool present, const std::string &execPath)
{
    const std::string path = AutostartEntryPath();
    const std::string failure = "Unable to write to " + path;
    std::error_code ec;
    if (!present) {
        std::filesystem::remove(path, ec);
        if (ec)
            return failure;
        return std::nullopt;
    }
    if (!EnsureDir(std::filesystem::path(path).parent_path().string()))
        return failure;
    if (!WriteFileAtomically(path, AutostartEntryText(execPath)))
        return failure;
    return std::nullopt;
}

} // namespace orvane
