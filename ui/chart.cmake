# The chart window with Qt Charts, built as a plugin that the main window loads on first use, so that
# the program's start-up does not pay for loading Qt Charts. The window's code is a static library of
# its own so that the plugin and the chart tests share it.
find_package(Qt6 REQUIRED COMPONENTS Charts Svg)
include(GNUInstallDirs)

set_target_properties(tarvex_core PROPERTIES POSITION_INDEPENDENT_CODE ON)

qt_add_library(tarvex_chart_window STATIC
  chart_plugin_interface.h
  chart_window.h chart_window.cpp
  sweep_chart_view.h sweep_chart_view.cpp sweep_chart_view_reading.cpp
)
set_target_properties(tarvex_chart_window PROPERTIES POSITION_INDEPENDENT_CODE ON)
target_link_libraries(tarvex_chart_window PUBLIC tarvex_core Qt6::Charts Qt6::Svg Qt6::Widgets)
target_include_directories(tarvex_chart_window PUBLIC ${PROJECT_SOURCE_DIR})
target_compile_options(tarvex_chart_window PRIVATE ${TARVEX_WARNINGS})

# The plugin sits in the program's library directory, at the same place relative to the program in
# the build tree (app/ beside lib/) as when installed (bin/ beside lib/).
set(TARVEX_CHART_PLUGIN_DIR ${CMAKE_INSTALL_LIBDIR}/tarvex-uncertainty)
qt_add_plugin(tarvex_chart CLASS_NAME ChartPlugin)
target_sources(tarvex_chart PRIVATE chart_plugin.cpp)
target_link_libraries(tarvex_chart PRIVATE tarvex_chart_window)
target_compile_options(tarvex_chart PRIVATE ${TARVEX_WARNINGS})
set_target_properties(tarvex_chart PROPERTIES LIBRARY_OUTPUT_DIRECTORY ${PROJECT_BINARY_DIR}/${TARVEX_CHART_PLUGIN_DIR})
install(TARGETS tarvex_chart LIBRARY DESTINATION ${TARVEX_CHART_PLUGIN_DIR})

# Where the main window looks for it; programs outside app/ (tests, benchmarks) name this directory
# in QT_PLUGIN_PATH.
set(TARVEX_CHART_PLUGIN_BUILD_DIR ${PROJECT_BINARY_DIR}/${TARVEX_CHART_PLUGIN_DIR})
set(TARVEX_CHART_PLUGIN_BUILD_DIR ${TARVEX_CHART_PLUGIN_BUILD_DIR} PARENT_SCOPE)
file(RELATIVE_PATH tarvex_chart_relative ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_LIBDIR}/tarvex-uncertainty)
target_sources(tarvex_ui PRIVATE main_window_chart.cpp chart_plugin_interface.h)
target_compile_definitions(tarvex_ui PRIVATE
  TARVEX_CHART_PLUGIN_DIR="${tarvex_chart_relative}"
  TARVEX_CHART_PLUGIN_FILE="$<TARGET_FILE_NAME:tarvex_chart>"
  TARVEX_CHART_PLUGIN_NAME="tarvex_chart")
add_dependencies(tarvex_ui tarvex_chart)
