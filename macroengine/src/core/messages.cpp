#include "kyloom32.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace {

struct Message {
    uint16_t id;
    const char *text;
};

// The library's numbered message table; ids are the error numbers used throughout the engine.
constexpr Message kMessages[] = {
    {1, "Out of memory"},
    {2, "The scrap macro is not valid in this context"},
    {3, "A valid macro handle must be obtained from InstallHook"},
    {4, "Error opening macro file"},
    {5, "Error creating macro file"},
    {6, "Error reading macro file"},
    {7, "Error writing macro file"},
    {8, "Error closing macro file"},
    {9, "Invalid macro file format"},
    {10, "Wrong macro file version."},
    {11, "Error allocating macro"},
    {12, "Error deleting macro"},
    {13, "No room for additional macros"},
    {14, "Only one macro hook per task is supported"},
    {15, "Error registering window class"},
    {16, "Error unregistering window class"},
    {17, "Error activating keyboard hook"},
    {18, "Error deactivating keyboard hook"},
    {19, "Error activating mouse hook"},
    {20, "Error deactivating mouse hook"},
    {21, "Error activating timer hook"},
    {22, "Error deactivating timer hook"},
    {23, "Error creating macro message processing window"},
    {24, "Error destroying macro message window"},
    {25, "No macros found to uninstall"},
    {26, "Error activating journal playback hook"},
    {27, "Error deactivating journal playback hook"},
    {28, "Error allocating scrap macro"},
    {29, "Error allocating Win32 shared memory"},
    {30, "Error mapping Win32 shared memory"},
    {31, "Cannot turn on macro recording at this time"},
    {32, "Recording is already off"},
    {33, "Cannot find the specified macro"},
    {34, "An unknown error has occurred"},
    {35, "Invalid property value"},
    {36, "Shift keys are not allowed with the Cancel or Pause key"},
    {37, "Key already in use by another macro"},
    {38, "Can't perform this operation now"},
    {39, "Error deallocating memory"},
    {40, "Error activating message hook"},
    {41, "Error deactivating message hook"},
    {100, "<NO MACRO NAME>"},
    {101, "<MACRO UNDEFINED>"},
    {200, "None"},
    {201, "Record:    OFF"},
    {202, "Record:    ON"},
    {203, "Record:    Paused"},
    {204, "Record:    Resumed"},
    {205, "Playback:  OFF"},
    {206, "Playback:  ON"},
    {207, "Playback:  Paused"},
    {208, "Playback:  Resumed"},
    {300, "No name"},
    {301, "LButton"},
    {302, "RButton"},
    {303, "Cancel"},
    {304, "MButton"},
    {305, "Pause"},
    {306, "Num /"},
    {307, "Num ."},
    {308, "Ctrl"},
    {309, "Alt"},
    {310, "Shift"},
    {400, "Missing closing brace"},
    {401, "Invalid Key or Key Name"},
    {402, "Unable to locate specified application window"},
    {403, "Error translating key string"},
};

} // namespace

extern "C" uint16_t GetKeyloomVersion(void) { return 0x0200; }

extern "C" void LoadMsg(uint16_t id, unsigned char *text)
{
    if (!text)
        return;
    text[0] = 0;
    for (const Message &m : kMessages) {
        if (m.id != id)
            continue;
        const size_t n = std::min<size_t>(std::strlen(m.text), 255);
        std::memcpy(text + 1, m.text, n);
        text[0] = static_cast<unsigned char>(n);
        return;
    }
}
