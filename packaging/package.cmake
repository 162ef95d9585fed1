# Installation and the Debian package (cmake --install, cpack -G DEB).
#
# The executables and the catalogue go together into /usr/lib/mox-norvante:
# both programs look for moxproducts.db in the directory of their own file,
# and Qt resolves symbolic links when it finds that directory, so the links
# in /usr/bin keep the catalogue beside the real executables while /usr/bin
# holds nothing but the two commands.

set(MOX_APP_DIR lib/mox-norvante)
set(MOX_IMAGES ${PROJECT_SOURCE_DIR}/src/images)

install(TARGETS mox mox-cli RUNTIME DESTINATION ${MOX_APP_DIR})
install(FILES ${MOX_BIN_DIR}/moxproducts.db DESTINATION ${MOX_APP_DIR})
foreach(program mox mox-cli)
  install(CODE "
    set(link \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin/${program}\")
    file(MAKE_DIRECTORY \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/bin\")
    file(REMOVE \"\${link}\")
    file(CREATE_LINK ../${MOX_APP_DIR}/${program} \"\${link}\" SYMBOLIC)
    message(STATUS \"Installing: \${link} -> ../${MOX_APP_DIR}/${program}\")")
endforeach()

install(FILES ${CMAKE_CURRENT_LIST_DIR}/mox-norvante.desktop DESTINATION share/applications)
install(FILES ${CMAKE_CURRENT_LIST_DIR}/mox-norvante.xml DESTINATION share/mime/packages)
foreach(size 48 256)
  install(FILES ${MOX_IMAGES}/mox-norvante-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/apps RENAME mox-norvante.png)
  install(FILES ${MOX_IMAGES}/application-x-mox-${size}.png
          DESTINATION share/icons/hicolor/${size}x${size}/mimetypes RENAME application-x-mox.png)
endforeach()

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME mox-norvante)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "MOX NORVANTE")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "power and bandwidth budget of PoE CCTV networks
Desktop editor in which a CCTV installer or designer draws the schematic of an
IP-camera network fed over PoE and gets its power and bandwidth budget worked
out after every edit: load and bitrate per distribution point, cable voltage
drop per device, distribution-point models from a product catalogue, backup
battery sizing, the schematic and the order printed to PDF.

mox-cli reports the budget, prints the PDFs and writes the bill of materials
as CSV without a window.")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "MOX NORVANTE maintainers <maintainers@mox-norvante.invalid>")
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
# Libraries from what the executables link (dpkg-shlibdeps); the SQLite
# driver is a plugin Qt loads at run time, so no linker sees it.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt5sql5-sqlite")
# The sheet's labels are set in Calibri, for which Carlito stands in.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-crosextra-carlito, fonts-dejavu-core")
set(CPACK_STRIP_FILES ON)
# Packaging needs only the two programs and the catalogue, not every test
# and benchmark of the build: the "deb" target builds those three first.
set(CMAKE_SKIP_INSTALL_ALL_DEPENDENCY ON)
include(CPack)

add_custom_target(deb
  COMMAND ${CMAKE_CPACK_COMMAND} -G DEB --config ${CMAKE_BINARY_DIR}/CPackConfig.cmake
  WORKING_DIRECTORY ${CMAKE_BINARY_DIR}
  COMMENT "Building the Debian package mox-norvante_${PROJECT_VERSION}"
  VERBATIM)
add_dependencies(deb mox mox-cli)
if(TARGET catalogue)
  add_dependencies(deb catalogue)
endif()
