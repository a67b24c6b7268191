#include "app/alarms/launcher_pages.h"

#include "app/alarms/text_match.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

namespace orvane {

std::vector<std::string> ListLauncherPages(const std::string &directory)
{
    namespace fs = std::filesystem;
    std::vector<std::string> pages;
    if (directory.empty() || directory == "NONE")
        return pages;
    std::error_code ec;
    for (fs::directory_iterator it(directory, ec), end; !ec && it != end; it.increment(ec)) {
        const std::string name = it->path().filename().string();
        if (name.size() < 4 || UpperCase(name.substr(name.size() - 4)) != ".TAB")
            continue;
        std::error_code typeError;
        if (it->is_directory(typeError))
            continue;
        // A name that begins with '.' has nothing before it to show; such a page cannot be named.
        const std::string page = name.substr(0, name.find('.'));
        if (!page.empty())
            pages.push_back(page);
    }
    std::sort(pages.begin(), pages.end());
    return pages;
}

} // namespace orvane
