# The splash screen, the About box and the program's end.
tarvex_ui_test(startbild_test)
tarvex_ui_test(about_test)

# Desktop entry, AppStream metainfo and the Debian package.
set(TARVEX_PACKAGING ${PROJECT_SOURCE_DIR}/packaging)
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate)
find_program(APPSTREAMCLI appstreamcli)
if(DESKTOP_FILE_VALIDATE)
  add_test(NAME desktop_entry_valid
           COMMAND ${DESKTOP_FILE_VALIDATE} ${TARVEX_PACKAGING}/org.tarvex.UncertaintyAnalysis.desktop)
else()
  message(WARNING "desktop-file-validate not found (package desktop-file-utils): its test is left out")
endif()
if(APPSTREAMCLI)
  add_test(NAME metainfo_valid
           COMMAND ${APPSTREAMCLI} validate --no-net ${TARVEX_PACKAGING}/org.tarvex.UncertaintyAnalysis.metainfo.xml)
else()
  message(WARNING "appstreamcli not found (package appstream): its test is left out")
endif()
add_test(NAME debian_package_contents
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_contents_test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(debian_package_contents PROPERTIES TIMEOUT 120 RUN_SERIAL ON)
