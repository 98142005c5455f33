# What `cmake --install` puts where, and the Debian package `make package` builds from it.
#   bin/                         kavro and its tools
#   share/applications, icons    the desktop entry and its icon
#   share/kavro/demo             the demo plant's working folder (FLC.dat, plant.txt)
#   share/man/man1               one page per program
#   lib/systemd/system           kavro@.service for the headless controller (not enabled)
#   share/kavro/opcua-bridge     the OPC UA bridge and server bundles, when they are built, and
#   share/kavro/demo-opc         then the demo plant's working folder for the OPC link
include(GNUInstallDirs)

set(KAVRO_PROGRAMS kavro kavro-config kavro-history kavro-replay kavro-script kavro-plantsim kavro-tune)
foreach(program IN LISTS KAVRO_PROGRAMS)
  # kavro itself is left out of a build without the window (KAVRO_BUILD_UI=OFF).
  if(TARGET ${program})
    install(TARGETS ${program} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
    list(APPEND KAVRO_INSTALLED_PROGRAMS ${program})
    install(FILES ${PROJECT_SOURCE_DIR}/docs/man/${program}.1
            DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endforeach()

install(FILES ${PROJECT_SOURCE_DIR}/packaging/kavro.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kavro.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(DIRECTORY ${PROJECT_SOURCE_DIR}/demo/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kavro/demo)
install(FILES ${PROJECT_SOURCE_DIR}/packaging/kavro@.service
        DESTINATION lib/systemd/system)

# The OPC UA bridge ships where it is built in (cmake/OpcUaBridge.cmake): its two bundles, the
# files node-opcua reads beside them and the licences of what they bundle; the package then
# needs nodejs.
if(KAVRO_WITH_BRIDGE)
  install(FILES ${KAVRO_BRIDGE_DIR}/bridge.js ${KAVRO_BRIDGE_DIR}/plant-server.js
                ${KAVRO_BRIDGE_DIR}/THIRD-PARTY-LICENSES.txt
          DESTINATION ${CMAKE_INSTALL_DATADIR}/kavro/opcua-bridge)
  install(DIRECTORY ${KAVRO_BRIDGE_DIR}/data DESTINATION ${CMAKE_INSTALL_DATADIR}/kavro/opcua-bridge)
  # The demo kiln over the OPC link, without certificate stores a run may have left.
  install(DIRECTORY ${PROJECT_SOURCE_DIR}/demo-opc/ DESTINATION ${CMAKE_INSTALL_DATADIR}/kavro/demo-opc
          PATTERN "pki" EXCLUDE
          PATTERN ".gitignore" EXCLUDE)
endif()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kavro)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kavro developers <kavro@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Multivariable fuzzy-logic controller for process plants")
set(CPACK_PACKAGE_DESCRIPTION
    "Kavro closes a supervisory loop over a plant's DCS: it fuzzifies up to six process\n values, evaluates twenty rules and writes two outputs back through a link client\n program. It comes with its operator window, a headless service mode and tools to\n check configurations, replay recorded data, run scripts and simulate a plant.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
# The Qt 6 and C++ runtime libraries the programs link, named as Debian 12 names them;
# dpkg-shlibdeps adds the exact versions where it is installed.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6widgets6, libqt6gui6, libqt6core6, libsqlite3-0, libnlopt0, libstdc++6, libc6")
if(KAVRO_WITH_BRIDGE)
  string(APPEND CPACK_DEBIAN_PACKAGE_DEPENDS ", nodejs")
endif()
find_program(KAVRO_DPKG_SHLIBDEPS dpkg-shlibdeps)
if(KAVRO_DPKG_SHLIBDEPS)
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
set(CPACK_STRIP_FILES ON)
include(CPack)
