#pragma once

#include <string>
#include <vector>

namespace orvane::test {

struct ToolResult {
    int status = -1; // exit status; -1 when it did not end by itself in time
    std::string out;
    std::string err;
};

// Runs build/bin/kyloom with `args`, killing it if it runs past `seconds`.
ToolResult runKyloom(const std::vector<std::string> &args, int seconds = 20);

} // namespace orvane::test
