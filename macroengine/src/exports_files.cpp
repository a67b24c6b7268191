// C exports: macro files.
#include "export_guard.h"
#include "macro_file_reader.h"
#include "macro_file_writer.h"

using namespace orvane;

extern "C" uint8_t WriteMacros(const char *fileName)
{
    return guardedCall<uint8_t>(MacroFileWriter::kFailed, [&](Engine &e) {
        return MacroFileWriter(e).write(fileName);
    });
}

extern "C" uint8_t ReadMacros(const char *fileName, KyBool append)
{
    return guardedCall<uint8_t>(MacroFileReader::kFailed, [&](Engine &e) {
        return MacroFileReader(e).read(fileName, append != 0);
    });
}
