# Desktop integration, documentation and the Debian package, included from the root after the
# program's install rule.

set(TARVEX_APP_ID org.tarvex.uncertainty_analysis)
set(TARVEX_RESOURCES ${PROJECT_SOURCE_DIR}/ui/resources)
set(TARVEX_PACKAGING_DIR ${CMAKE_CURRENT_LIST_DIR})
set(TARVEX_DOC_DIR ${CMAKE_INSTALL_DATADIR}/doc/tarvex-uncertainty)
# No licence has been granted for the program; the copyright file says the same in words.
set(TARVEX_LICENSE LicenseRef-proprietary)

# The latest entry of the changelog is the release being built: its version must be the project's,
# and its date is the release date in the metainfo.
file(STRINGS ${TARVEX_PACKAGING_DIR}/changelog TARVEX_CHANGELOG_TOP LIMIT_COUNT 1)
file(STRINGS ${TARVEX_PACKAGING_DIR}/changelog TARVEX_CHANGELOG_SIGNATURES REGEX "^ -- ")
list(GET TARVEX_CHANGELOG_SIGNATURES 0 TARVEX_CHANGELOG_SIGNATURE)
if(NOT TARVEX_CHANGELOG_TOP MATCHES "^tarvex-uncertainty \\(${PROJECT_VERSION}\\) ")
  message(FATAL_ERROR "packaging/changelog: the latest entry is not version ${PROJECT_VERSION}: "
                      "${TARVEX_CHANGELOG_TOP}")
endif()
string(REGEX MATCH "[0-9]+ [A-Z][a-z][a-z] [0-9]+" TARVEX_CHANGELOG_DAY "${TARVEX_CHANGELOG_SIGNATURE}")
string(REPLACE " " ";" TARVEX_CHANGELOG_DAY "${TARVEX_CHANGELOG_DAY}")
list(GET TARVEX_CHANGELOG_DAY 0 day)
list(GET TARVEX_CHANGELOG_DAY 1 month_name)
list(GET TARVEX_CHANGELOG_DAY 2 year)
set(months Jan Feb Mar Apr May Jun Jul Aug Sep Oct Nov Dec)
list(FIND months ${month_name} month)
math(EXPR month "${month} + 1" OUTPUT_FORMAT DECIMAL)
string(LENGTH "${month}" month_digits)
string(LENGTH "${day}" day_digits)
if(month_digits EQUAL 1)
  set(month 0${month})
endif()
if(day_digits EQUAL 1)
  set(day 0${day})
endif()
set(TARVEX_RELEASE_DATE ${year}-${month}-${day})

# Screenshots in the metainfo need web addresses. The program has none of its own yet: set
# TARVEX_SCREENSHOT_BASE_URL to where docs/ is published and the README's pictures are listed.
set(TARVEX_SCREENSHOT_BASE_URL "" CACHE STRING "Web address of the published docs/ folder (screenshots)")
function(tarvex_metainfo_screenshots base_url out_var)
  set(block "")
  if(base_url)
    set(block "  <screenshots>\n")
    foreach(shot "main-window|The main window in its start state"
                 "main-window-percent-systematic|Results in percent with the systematic error"
                 "main-window-conservative|Conservative mismatch")
      string(REPLACE "|" ";" shot "${shot}")
      list(GET shot 0 file)
      list(GET shot 1 caption)
      set(type "")
      if(file STREQUAL "main-window")
        set(type " type=\"default\"")
      endif()
      string(APPEND block "    <screenshot${type}>\n      <caption>${caption}</caption>\n"
                          "      <image>${base_url}/${file}.png</image>\n    </screenshot>\n")
    endforeach()
    string(APPEND block "  </screenshots>\n")
  endif()
  set(${out_var} "${block}" PARENT_SCOPE)
endfunction()
set(TARVEX_METAINFO ${CMAKE_BINARY_DIR}/packaging/${TARVEX_APP_ID}.metainfo.xml)
tarvex_metainfo_screenshots("${TARVEX_SCREENSHOT_BASE_URL}" TARVEX_METAINFO_SCREENSHOTS)
configure_file(${TARVEX_PACKAGING_DIR}/${TARVEX_APP_ID}.metainfo.xml.in ${TARVEX_METAINFO} @ONLY)
# The same with a reserved example address, so that the test checks the screenshot entries too.
tarvex_metainfo_screenshots("https://example.org/tarvex/docs" TARVEX_METAINFO_SCREENSHOTS)
configure_file(${TARVEX_PACKAGING_DIR}/${TARVEX_APP_ID}.metainfo.xml.in
               ${CMAKE_BINARY_DIR}/packaging/screenshots-check/${TARVEX_APP_ID}.metainfo.xml @ONLY)

install(FILES ${TARVEX_PACKAGING_DIR}/${TARVEX_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${TARVEX_METAINFO} DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TARVEX_RESOURCES}/tarvex-uncertainty-16.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/16x16/apps RENAME ${TARVEX_APP_ID}.png)
install(FILES ${TARVEX_RESOURCES}/tarvex-uncertainty-32.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps RENAME ${TARVEX_APP_ID}.png)
install(FILES ${TARVEX_RESOURCES}/tarvex-uncertainty.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${TARVEX_APP_ID}.svg)

# Compresses a file as Debian wants it (gzip -9n: no name, no time stamp, so the same bytes every
# build) and installs it into destination.
function(tarvex_install_gzipped source destination)
  get_filename_component(name ${source} NAME)
  set(compressed ${CMAKE_BINARY_DIR}/packaging/${name}.gz)
  add_custom_command(OUTPUT ${compressed}
                     COMMAND gzip -9n -c ${source} > ${compressed}
                     DEPENDS ${source}
                     VERBATIM)
  add_custom_target(gzip_${name} ALL DEPENDS ${compressed})
  install(FILES ${compressed} DESTINATION ${destination})
endfunction()

# Manual pages, section 1: the window program's here; the command line's joins it the same way.
function(tarvex_install_man_page page)
  tarvex_install_gzipped(${page} ${CMAKE_INSTALL_MANDIR}/man1)
endfunction()
tarvex_install_man_page(${TARVEX_PACKAGING_DIR}/tarvex-uncertainty.1)

install(FILES ${TARVEX_PACKAGING_DIR}/copyright DESTINATION ${TARVEX_DOC_DIR})
tarvex_install_gzipped(${TARVEX_PACKAGING_DIR}/changelog ${TARVEX_DOC_DIR})

# Debian 12 package. dpkg-shlibdeps finds the Qt and C++ libraries the program links; the X11 platform
# plugin is loaded at run time, so its package is named by hand, and so is the font the windows use.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex-uncertainty)
set(CPACK_PACKAGE_VENDOR Tarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "uncertainty budget of RF power measurements with Tarvex sensors")
# The extended description, in lines of at most 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "A desktop calculator for the measurement uncertainty of RF and microwave power
measurements made with a thermal or diode sensor of the Tarvex family on the
basic units BX-20, BX-10 and VX-30. From the sensor, frequency, level, source
match, filter number, harmonics, temperature range and display resolution it
shows twelve standard uncertainties, their combined and expanded (k = 2)
uncertainty and the systematic error, in dB or in percent of power.")
set(CPACK_PACKAGE_CONTACT "Tarvex <support@tarvex.org>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
# The Python module: its python3 and NumPy; pandas only for data frames.
if(TARVEX_PYTHON_DEPENDS)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", ${TARVEX_PYTHON_DEPENDS}")
  set(CPACK_DEBIAN_PACKAGE_SUGGESTS python3-pandas)
endif()
include(CPack)
