# Installs the build in BUILD_DIR into a fresh prefix and runs the installed programs with no
# help from the build tree: no LD_LIBRARY_PATH, and the build's lib/ out of reach of their RPATH.
if(NOT BUILD_DIR)
  message(FATAL_ERROR "BUILD_DIR is not set")
endif()
# A folder outside the build tree, so that nothing installed can reach the build by a relative path.
set(tmp "$ENV{TMPDIR}")
if(NOT tmp)
  set(tmp /tmp)
endif()
string(RANDOM LENGTH 8 suffix)
set(prefix "${tmp}/orvane-install-test-${suffix}")
file(REMOVE_RECURSE "${prefix}")

execute_process(COMMAND ${CMAKE_COMMAND} --install "${BUILD_DIR}" --prefix "${prefix}"
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "cmake --install failed (${status}):\n${out}\n${err}")
endif()

foreach(file bin/orvane bin/kyloom lib/libkyloom32.so.2 lib/libkyloom32.so include/kyloom32.h
        share/applications/orvane.desktop share/icons/hicolor/scalable/apps/orvane.svg
        share/man/man1/orvane.1.gz share/man/man1/kyloom.1.gz)
  if(NOT EXISTS "${prefix}/${file}")
    message(FATAL_ERROR "the installed tree lacks ${file}")
  endif()
endforeach()

# Each program reports where the loader found Kyloom32; it must be the installed copy.
foreach(program orvane kyloom)
  execute_process(COMMAND ldd "${prefix}/bin/${program}" OUTPUT_VARIABLE libs RESULT_VARIABLE status)
  string(REGEX MATCH "libkyloom32\\.so\\.2 => ([^ ]+)" found "${libs}")
  if(NOT CMAKE_MATCH_1 STREQUAL "${prefix}/bin/../lib/libkyloom32.so.2"
     AND NOT CMAKE_MATCH_1 STREQUAL "${prefix}/lib/libkyloom32.so.2")
    message(FATAL_ERROR "${program} loads Kyloom32 from '${CMAKE_MATCH_1}', not from ${prefix}/lib:\n${libs}")
  endif()
endforeach()

set(ENV{LD_LIBRARY_PATH} "")
execute_process(COMMAND "${prefix}/bin/orvane" --version
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "^Orvane [0-9]+\\.[0-9]+ \\(Kyloom32 [0-9]+\\.[0-9]+\\)")
  message(FATAL_ERROR "the installed orvane --version gave ${status}:\n${out}${err}")
endif()
execute_process(COMMAND "${prefix}/bin/kyloom" --help
  RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
if(NOT status EQUAL 0 OR NOT out MATCHES "usage: kyloom VERB")
  message(FATAL_ERROR "the installed kyloom --help gave ${status}:\n${out}${err}")
endif()

file(REMOVE_RECURSE "${prefix}")
message(STATUS "installed into ${prefix}, ran orvane --version and kyloom --help from there")
