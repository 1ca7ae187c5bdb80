# One input step of the main window, from the change of a control to all labels written, with and
# without repainting the window; prints the median over 1,000 steps.
add_executable(ui_step_bench ui_step_bench.cpp)
target_link_libraries(ui_step_bench PRIVATE tarvex_ui)
target_compile_options(ui_step_bench PRIVATE ${TARVEX_WARNINGS})

# The chart window: opening it, and one frequency step with it open, both windows repainted.
add_executable(chart_step_bench chart_step_bench.cpp)
target_link_libraries(chart_step_bench PRIVATE tarvex_ui)
target_compile_options(chart_step_bench PRIVATE ${TARVEX_WARNINGS})
target_compile_definitions(chart_step_bench PRIVATE TARVEX_CHART_PLUGIN_BUILD_DIR="${TARVEX_CHART_PLUGIN_BUILD_DIR}")
