# Desktop integration and the Debian package, included from the root after the program's install rule.

set(TARVEX_APP_ID org.tarvex.UncertaintyAnalysis)
set(TARVEX_RESOURCES ${PROJECT_SOURCE_DIR}/ui/resources)

install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TARVEX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/${TARVEX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${TARVEX_RESOURCES}/tarvex-uncertainty-16.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/16x16/apps RENAME ${TARVEX_APP_ID}.png)
install(FILES ${TARVEX_RESOURCES}/tarvex-uncertainty-32.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/32x32/apps RENAME ${TARVEX_APP_ID}.png)
install(FILES ${TARVEX_RESOURCES}/tarvex-uncertainty.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps RENAME ${TARVEX_APP_ID}.svg)

# Debian 12 package. dpkg-shlibdeps finds the Qt and C++ libraries the program links; the X11 platform
# plugin is loaded at run time, so its package is named by hand, and so is the font the windows use.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvex-uncertainty)
set(CPACK_PACKAGE_VENDOR Tarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Uncertainty budget of RF power measurements with Tarvex sensors")
set(CPACK_PACKAGE_DESCRIPTION
    "A calculator for the measurement uncertainty of RF and microwave power measurements made with a\n\
thermal or diode sensor of the Tarvex family on the basic units BX-20, BX-10 and VX-30: twelve\n\
influence quantities, combined and expanded uncertainty, in dB or percent.")
set(CPACK_PACKAGE_CONTACT "Tarvex <support@tarvex.org>")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
include(CPack)
