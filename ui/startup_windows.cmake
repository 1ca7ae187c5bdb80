# The splash screen, its picture and the program's icon, compiled into the window library.
target_sources(tarvex_ui PRIVATE startbild.h startbild.cpp)

# The rendered files only: their SVG sources and the command that renders them are in resources/.
qt_add_resources(tarvex_ui tarvex_startup_resources
  PREFIX /tarvex
  BASE resources
  FILES
    resources/startbild.jpg
    resources/startbild@2x.jpg
    resources/tarvex-uncertainty-16.png
    resources/tarvex-uncertainty-32.png
)
