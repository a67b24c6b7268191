#pragma once

#include "core/engine.h"

#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace orvane {

// Saves the table's macros (not the scrap macro, not macros with a code hook) to a macro file.
// The file is written beside its final name and renamed over it only when complete, so a
// failed save leaves the previous file as it was.
class MacroFileWriter {
public:
    static constexpr uint8_t kOk = 0;
    static constexpr uint8_t kFailed = 0xFF;

    explicit MacroFileWriter(Engine &engine) : m_engine(engine) {}
    ~MacroFileWriter()
    {
        if (m_file)
            std::fclose(m_file);
    }
    MacroFileWriter(const MacroFileWriter &) = delete;
    MacroFileWriter &operator=(const MacroFileWriter &) = delete;

    uint8_t write(const char *fileName);

private:
    std::vector<uint8_t> encodeEntry(MacroRecord &record) const;
    bool writeAll();
    bool put(const std::vector<uint8_t> &bytes);

    Engine &m_engine;
    std::FILE *m_file = nullptr;
};

} // namespace orvane
