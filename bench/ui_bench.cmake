# One input step of the main window, from the change of a control to all labels written, with and
# without repainting the window; prints the median over 1,000 steps.
add_executable(ui_step_bench ui_step_bench.cpp)
target_link_libraries(ui_step_bench PRIVATE tarvex_ui)
target_compile_options(ui_step_bench PRIVATE ${TARVEX_WARNINGS})

# Copy Budget and the PDF report of the start state; medians of nine repetitions.
add_executable(report_bench report_bench.cpp)
target_link_libraries(report_bench PRIVATE tarvex_ui benchmark::benchmark)
target_compile_options(report_bench PRIVATE ${TARVEX_WARNINGS})
