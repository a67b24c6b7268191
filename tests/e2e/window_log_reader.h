#pragma once
// Reads the program's window log (ORVANE_WINDOW_LOG): one line per window shown, with its class,
// title and the texts of its controls. Tests wait for a window to be shown with given texts.
#include <chrono>
#include <string>
#include <vector>

class WindowLogReader {
public:
    explicit WindowLogReader(std::string path) : m_path(std::move(path)) {}

    // Only lines written from now on count for the next waitFor.
    void mark();
    // Waits for a line about a window of `windowClass` titled `title` that holds every text of
    // `texts`; the matching line, or "" on time-out.
    std::string waitFor(const std::string &windowClass, const std::string &title,
                        const std::vector<std::string> &texts,
                        std::chrono::milliseconds limit = std::chrono::seconds(10));
    // Everything written since the last mark, for failure messages.
    std::string sinceMark() const;

private:
    std::string m_path;
    std::size_t m_offset = 0;
};
