# The window probe (windowprobe.cpp), a library preloaded into a Qt program
# by the start-up test and the start-up benchmark. Linux only.
if(CMAKE_SYSTEM_NAME STREQUAL "Linux" AND NOT TARGET tavro_windowprobe)
    add_library(tavro_windowprobe SHARED ${CMAKE_CURRENT_LIST_DIR}/windowprobe.cpp)
    target_link_libraries(tavro_windowprobe PRIVATE Qt5::Widgets)
    # In bench/ of the build, wherever it is defined first (the start-up test
    # defines it too), where bench/startup.sh looks for it.
    set_target_properties(tavro_windowprobe PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bench)
endif()
