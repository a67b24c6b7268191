#pragma once
// Where the recorder keeps its files: the folder "waves" of the program's directory, the
// temporary file "waves/temp.wav" of a recording in progress, and the numbered recordings
// "waves/OV-1.wav" to "waves/OV-50.wav".
#include <optional>
#include <string>

namespace orvane {

class RecorderPaths {
public:
    static constexpr int kMaxRecordings = 50;

    // `programDir` ends with a '/'.
    explicit RecorderPaths(std::string programDir) : m_programDir(std::move(programDir)) {}

    std::string folder() const { return m_programDir + "waves"; }
    std::string temp() const { return folder() + "/temp.wav"; }
    std::string numbered(int n) const { return folder() + "/OV-" + std::to_string(n) + ".wav"; }
    // The smallest n whose numbered recording does not exist; none when all 50 do.
    std::optional<int> firstFreeNumber() const;

private:
    std::string m_programDir;
};

} // namespace orvane
