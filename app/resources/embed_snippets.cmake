# Run as a script: writes OUTPUT, a C++ source holding every SNIPPET_DIR/*.wav as a byte array
# in the table that snippet_library.cpp searches. The name of an entry is its file name without
# the extension, exactly as the snippet files are spelled.
file(GLOB wavs ${SNIPPET_DIR}/*.wav)
list(SORT wavs)
set(arrays "")
set(entries "")
set(index 0)
foreach(wav ${wavs})
  get_filename_component(name ${wav} NAME_WE)
  file(READ ${wav} hex HEX)
  string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," bytes "${hex}")
  string(REGEX REPLACE "((0x..,){24})" "\\1\n    " bytes "${bytes}")
  string(APPEND arrays "const std::uint8_t kImage${index}[] = {\n    ${bytes}\n};\n")
  string(APPEND entries "    {\"${name}\", {kImage${index}, sizeof kImage${index}}},\n")
  math(EXPR index "${index} + 1")
endforeach()
if(index EQUAL 0)
  message(FATAL_ERROR "no snippets found in ${SNIPPET_DIR}")
endif()
file(WRITE ${OUTPUT}.tmp "// Generated from the snippet WAV files by embed_snippets.cmake; do not edit.
#include \"app/resources/snippet_library.h\"

namespace orvane {
namespace {
${arrays}
} // namespace

extern const SnippetEntry kSnippetTable[] = {
${entries}};
extern const std::size_t kSnippetTableSize = ${index};

} // namespace orvane
")
file(COPY_FILE ${OUTPUT}.tmp ${OUTPUT} ONLY_IF_DIFFERENT)
file(REMOVE ${OUTPUT}.tmp)
