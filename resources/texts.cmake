# Interface texts and the raw-input decoder. Included from resources/CMakeLists.txt.

# The numbered interface texts in the process-wide language.
add_library(qx_texts STATIC ${CMAKE_CURRENT_LIST_DIR}/ui_texts.cpp)
target_include_directories(qx_texts PUBLIC ${CMAKE_SOURCE_DIR})
target_link_libraries(qx_texts PUBLIC qx_app)

# Raw-input events to key and mouse-button events with display names; the Win32 wrapper reads
# WM_INPUT data and asks the system for key names.
add_library(qx_raw_input STATIC ${CMAKE_CURRENT_LIST_DIR}/raw_input_decoder.cpp)
target_include_directories(qx_raw_input PUBLIC ${CMAKE_SOURCE_DIR})
if(WIN32)
  target_sources(qx_raw_input PRIVATE ${CMAKE_CURRENT_LIST_DIR}/win32/raw_input_win32.cpp)
  target_link_libraries(qx_raw_input PUBLIC user32)
endif()

target_link_libraries(qx_resources PUBLIC qx_texts qx_raw_input)
