# The Qt windows of every subsystem (app/<subsystem>/ui/) and the program itself.
set(CMAKE_AUTOMOC ON)
set(CMAKE_AUTORCC ON)
file(GLOB ui_srcs CONFIGURE_DEPENDS ${CMAKE_CURRENT_SOURCE_DIR}/*/ui/*.cpp ${CMAKE_CURRENT_SOURCE_DIR}/*/ui/*.h)
add_library(orvane_ui STATIC ${ui_srcs} ${CMAKE_CURRENT_SOURCE_DIR}/resources/help.qrc)
target_include_directories(orvane_ui PUBLIC ${PROJECT_SOURCE_DIR})
target_link_libraries(orvane_ui PUBLIC Qt6::Widgets Qt6::Network orvane_clock orvane_platform orvane_common kyloom32)
foreach(lib orvane_alarms orvane_snippets orvane_macro orvane_media)
  if(TARGET ${lib})
    target_link_libraries(orvane_ui PUBLIC ${lib})
  endif()
endforeach()

add_executable(orvane ${CMAKE_CURRENT_SOURCE_DIR}/main.cpp)
target_link_libraries(orvane PRIVATE orvane_ui)
# The program finds libkyloom32.so beside itself in ../lib, wherever the build tree lives.
set_target_properties(orvane PROPERTIES BUILD_RPATH "$ORIGIN/../lib" INSTALL_RPATH "$ORIGIN/../lib")
