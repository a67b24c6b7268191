# The clock starts without the libraries it loads only when first needed (the sound and CD
# libraries) and without those it does not need at all: each one linked is loaded and resolved
# at every start. PROGRAM is the built program; NOT_NEEDED the libraries it must not link.
execute_process(COMMAND readelf -d "${PROGRAM}" OUTPUT_VARIABLE dynamic RESULT_VARIABLE status)
if(NOT status EQUAL 0)
  message(FATAL_ERROR "readelf could not read ${PROGRAM}")
endif()
string(REGEX MATCHALL "Shared library: \\[[^]]+\\]" needed "${dynamic}")
if(NOT needed)
  message(FATAL_ERROR "${PROGRAM} lists no shared libraries: not a dynamic program?")
endif()
foreach(library ${NOT_NEEDED})
  foreach(entry ${needed})
    if(entry MATCHES "\\[${library}")
      message(FATAL_ERROR "${PROGRAM} links ${entry}; it is to be loaded when first needed")
    endif()
  endforeach()
endforeach()
