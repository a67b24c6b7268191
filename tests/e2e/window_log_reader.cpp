#include "window_log_reader.h"

#include "desktop_session.h"
#include "program_runner.h"

#include <sstream>

void WindowLogReader::mark() { m_offset = ProgramRunner::readFile(m_path).size(); }

std::string WindowLogReader::sinceMark() const
{
    const std::string all = ProgramRunner::readFile(m_path);
    return all.size() > m_offset ? all.substr(m_offset) : std::string();
}

std::string WindowLogReader::waitFor(const std::string &windowClass, const std::string &title,
                                     const std::vector<std::string> &texts, std::chrono::milliseconds limit)
{
    std::string found;
    WaitUntil(
        [&] {
            std::istringstream lines(sinceMark());
            std::string line;
            while (std::getline(lines, line)) {
                if (line.rfind("shown\t" + windowClass + "\t" + title + "\t", 0) != 0)
                    continue;
                bool all = true;
                for (const std::string &t : texts)
                    all = all && line.find(t) != std::string::npos;
                if (all) {
                    found = line;
                    return true;
                }
            }
            return false;
        },
        limit);
    return found;
}
