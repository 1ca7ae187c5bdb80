# Start-up benchmark: the program against a minimal Qt Widgets program of the same window size, timed
# from exec to the first mapped window by a small X11 watcher. Run bench/startup/measure_startup.sh.
find_package(X11 REQUIRED)

add_executable(minimal_qt startup/minimal_qt.cpp)
target_link_libraries(minimal_qt PRIVATE Qt6::Widgets)
target_compile_options(minimal_qt PRIVATE ${TARVEX_WARNINGS})

add_executable(first_map_watch startup/first_map_watch.cpp)
target_link_libraries(first_map_watch PRIVATE X11::X11)
target_compile_options(first_map_watch PRIVATE ${TARVEX_WARNINGS})
