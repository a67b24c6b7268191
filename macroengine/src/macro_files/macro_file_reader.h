#pragma once

#include "core/engine.h"

#include <cstdint>
#include <cstdio>
#include <optional>
#include <string>
#include <vector>

namespace orvane {

// Loads a macro file into the table. Each entry is staged in the scrap macro and installed
// from there; the scrap macro keeps its key and name, and afterwards holds the last entry read.
class MacroFileReader {
public:
    static constexpr uint8_t kOk = 0;
    static constexpr uint8_t kFailed = 0xFF;

    explicit MacroFileReader(Engine &engine) : m_engine(engine) {}
    ~MacroFileReader()
    {
        if (m_file)
            std::fclose(m_file);
    }
    MacroFileReader(const MacroFileReader &) = delete;
    MacroFileReader &operator=(const MacroFileReader &) = delete;

    uint8_t read(const char *fileName, bool append);

private:
    enum class Outcome { Done, Stop };

    bool readStart();
    void readEntries(MacroRecord &staging);
    Outcome readEntry(MacroRecord &staging, bool &atEnd);
    bool readEvents(int32_t lastIndex, std::vector<MacroEvent> &events);
    bool readExactly(void *buffer, size_t size);
    int64_t bytesLeft() const;

    Engine &m_engine;
    std::FILE *m_file = nullptr;
    std::string m_name;
};

} // namespace orvane
