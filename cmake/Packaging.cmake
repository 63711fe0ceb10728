# Installs Tarvenix like a desktop program (program, menu entry, icon, AppStream data) and
# lets CPack turn that installation into a Debian package.
include(GNUInstallDirs)

# The reverse-DNS id names the desktop entry, the icon and the metainfo file alike, as
# software centres expect.
set(TARVENIX_APP_ID de.tarvenix.Tarvenix)
set(tarvenixDesktopDir ${CMAKE_CURRENT_LIST_DIR}/../app/desktop)

if(TARGET tarvenix)
    install(TARGETS tarvenix RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR} COMPONENT tarvenix)
else()
    message(STATUS "Packaging: no tarvenix target, the install holds the desktop files only")
endif()
install(FILES ${tarvenixDesktopDir}/${TARVENIX_APP_ID}.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications COMPONENT tarvenix)
install(FILES ${tarvenixDesktopDir}/${TARVENIX_APP_ID}.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps COMPONENT tarvenix)
install(FILES ${tarvenixDesktopDir}/${TARVENIX_APP_ID}.metainfo.xml
        DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo COMPONENT tarvenix)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tarvenix)
set(CPACK_PACKAGE_VENDOR "Tarvenix")
set(CPACK_PACKAGE_CONTACT "Tarvenix developers")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "sight calculator for archers (German user interface)")
set(CPACK_PACKAGE_DESCRIPTION
    "Tarvenix simulates the flight of an arrow under gravity and air drag, draws
its trajectory, finds the launch angle for a target, builds a sight table for
18 to 90 m, fits the launch speed or the drag coefficient to two sight marks
measured on the range and computes the density of dry air. It keeps its
parameters in Tarvenix.ini in its working directory; started from the menu,
that is the home directory.")
# Only what the program needs at run time goes into the package, whatever else the
# project (tests, benchmarks) might install one day.
set(CPACK_INSTALL_CMAKE_PROJECTS "${CMAKE_BINARY_DIR};${PROJECT_NAME};tarvenix;/")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
# The controls ask for Arial; Liberation Sans is the metric-compatible face Debian offers.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation")
# dpkg-shlibdeps names the Qt 6 runtime packages with the versions the build really needs;
# without it, the three Qt libraries the program links are named by hand.
find_program(TARVENIX_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(TARVENIX_DPKG_SHLIBDEPS)
    set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
else()
    set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6gui6, libqt6core6")
endif()

set(CPACK_SOURCE_GENERATOR TGZ)
set(CPACK_SOURCE_IGNORE_FILES "/\\\\.git/" "/build[^/]*/")

include(CPack)
