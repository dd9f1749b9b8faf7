# The installed program on Linux (cmake --install) and the Debian package made from it (make package):
# both programs, the desktop entry, the hicolor icons, the AppStream metainfo and the manual pages. The
# validators of the desktop entry and the metainfo run as tests when they are installed.
include(GNUInstallDirs)

set(resources "${PROJECT_SOURCE_DIR}/resources")
set(generated "${PROJECT_BINARY_DIR}/installed")
set(metainfo_id com.example.velmora)

install(TARGETS velmora-batch RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
set(manual_pages velmora-batch)
if(TARGET velmora)
  install(TARGETS velmora RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
  install(FILES "${resources}/velmora.desktop" DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  foreach(size IN LISTS VELMORA_ICON_SIZES)
    install(FILES "${resources}/icons/velmora-${size}.png"
      DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME velmora.png)
  endforeach()
  configure_file("${resources}/velmora.metainfo.xml.in" "${generated}/${metainfo_id}.metainfo.xml" @ONLY)
  install(FILES "${generated}/${metainfo_id}.metainfo.xml" DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  list(APPEND manual_pages velmora)
endif()

# Manual pages are installed compressed, as Debian keeps them.
foreach(page IN LISTS manual_pages)
  configure_file("${resources}/man/${page}.1.in" "${generated}/${page}.1" @ONLY)
  add_custom_command(OUTPUT "${generated}/${page}.1.gz"
    COMMAND gzip -9 -n -k -f "${generated}/${page}.1"
    DEPENDS "${generated}/${page}.1" VERBATIM)
  list(APPEND compressed_pages "${generated}/${page}.1.gz")
  install(FILES "${generated}/${page}.1.gz" DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
endforeach()
add_custom_target(manual_pages ALL DEPENDS ${compressed_pages})

if(VELMORA_BUILD_TESTS AND TARGET velmora)
  find_program(VELMORA_DESKTOP_FILE_VALIDATE desktop-file-validate)
  find_program(VELMORA_APPSTREAMCLI appstreamcli)
  if(VELMORA_DESKTOP_FILE_VALIDATE)
    add_test(NAME DesktopEntryIsValid COMMAND ${VELMORA_DESKTOP_FILE_VALIDATE} "${resources}/velmora.desktop")
  endif()
  if(VELMORA_APPSTREAMCLI)
    add_test(NAME MetainfoIsValid
      COMMAND ${VELMORA_APPSTREAMCLI} validate --no-net --pedantic "${generated}/${metainfo_id}.metainfo.xml")
  endif()
endif()

# The Debian package: its dependencies are those of the shared libraries the programs link
# (dpkg-shlibdeps), and the Wine fonts, whose Tahoma the windows' layout is designed for.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME velmora)
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_VENDOR "Velmora developers")
set(CPACK_PACKAGE_CONTACT "Velmora developers <velmora@example.com>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Compress, resize photos and put logo or copyright marks")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
  "Velmora compresses and resizes batches of JPEG photographs and can stamp a PNG logo on each of them. "
  "One click writes re-encoded copies, scaled down to a target width, into a new folder named from the "
  "date and time. velmora-batch runs the same batch from the command line.")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION graphics)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${VELMORA_SITE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS fonts-wine)
set(CPACK_STRIP_FILES ON)
include(CPack)
