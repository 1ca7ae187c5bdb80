# The splash screen, the About box and the program's end.
tarvex_ui_test(startbild_test)
tarvex_ui_test(about_test)

# Desktop entry, AppStream metainfo (as shipped, and with screenshot entries) and the Debian package,
# which lintian must pass without error or warning.
set(app_id org.tarvex.uncertainty_analysis)
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
find_program(LINTIAN lintian REQUIRED)
add_test(NAME desktop_entry_valid
         COMMAND ${DESKTOP_FILE_VALIDATE} ${PROJECT_SOURCE_DIR}/packaging/${app_id}.desktop)
add_test(NAME metainfo_valid
         COMMAND ${APPSTREAMCLI} validate --pedantic --no-net ${PROJECT_BINARY_DIR}/packaging/${app_id}.metainfo.xml
                 ${PROJECT_BINARY_DIR}/packaging/screenshots-check/${app_id}.metainfo.xml)
add_test(NAME debian_package
         COMMAND bash ${CMAKE_CURRENT_SOURCE_DIR}/package_contents_test.sh ${PROJECT_BINARY_DIR})
set_tests_properties(debian_package PROPERTIES TIMEOUT 300 RUN_SERIAL ON)
