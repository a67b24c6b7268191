// C exports: macro files.
#include "exports/export_guard.h"
#include "macro_files/macro_file_listing.h"
#include "macro_files/macro_file_reader.h"
#include "macro_files/macro_file_writer.h"

using namespace orvane;

extern "C" uint8_t WriteMacros(const char *fileName)
{
    return guardedCall<uint8_t>(MacroFileWriter::kFailed,
                                [&](Engine &e) { return MacroFileWriter(e).write(fileName); });
}

extern "C" uint8_t ReadMacros(const char *fileName, KyBool append)
{
    return guardedCall<uint8_t>(MacroFileReader::kFailed,
                                [&](Engine &e) { return MacroFileReader(e).read(fileName, append != 0); });
}

extern "C" uint16_t ListMacroFile(const char *fileName, KyMacroFileEntryFn fn, void *context)
{
    if (!fileName)
        return KyMsgOpen;
    // Listing touches no engine state, so it takes no lock and needs no display.
    try {
        const MacroFileListing listing = listMacroFile(fileName);
        if (fn) {
            for (const MacroFileEntry &entry : listing.entries) {
                const KyMacroFileEntry out{entry.key, entry.mouseOrigin, entry.eventCount,
                                           entry.name.c_str()};
                fn(&out, context);
            }
        }
        return listing.failure;
    } catch (...) {
        return KyMsgUnknownError;
    }
}
