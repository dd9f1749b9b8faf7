# The Windows programs beyond the core and the native front end (src/win32, whose CMakeLists.txt adds
# the `velmora` program with resources/velmora.rc): the zip of the programs, and the check that the
# Windows driver writes the Linux driver's bytes. Included by the top-level CMakeLists.txt after the
# core, the front end, the driver and the tests.

# make windows-zip: Velmora-<version>-win64.zip, both programs and the licences of what is linked into
# them.
set(VELMORA_ZIP_PROGRAMS $<TARGET_FILE:velmora-batch> $<TARGET_FILE:velmora>)
set(VELMORA_ZIP_LICENSES
  "libjpeg-turbo.md=${VELMORA_WINDOWS_DEPS}/src/libjpeg-turbo/LICENSE.md"
  "libjpeg-turbo-ijg.txt=${VELMORA_WINDOWS_DEPS}/src/libjpeg-turbo/README.ijg"
  "zlib.txt=/usr/share/doc/libz-mingw-w64-dev/copyright"
  "mingw-w64-runtime.txt=/usr/share/doc/mingw-w64-x86-64-dev/copyright"
  "gcc-runtime.txt=/usr/share/doc/gcc-mingw-w64-base/copyright")
set(VELMORA_ZIP_NAME Velmora-${PROJECT_VERSION}-win64)
add_custom_target(windows-zip
  COMMAND ${CMAKE_COMMAND} -DNAME=${VELMORA_ZIP_NAME} "-DPROGRAMS=$<JOIN:${VELMORA_ZIP_PROGRAMS},|>"
          "-DLICENSES=$<JOIN:${VELMORA_ZIP_LICENSES},|>" -DSTRIP=${CMAKE_STRIP} -DOUTPUT=${CMAKE_BINARY_DIR}/${VELMORA_ZIP_NAME}.zip
          -P ${CMAKE_CURRENT_LIST_DIR}/windows_zip.cmake
  DEPENDS velmora-batch velmora
  COMMENT "Packing ${VELMORA_ZIP_NAME}.zip"
  VERBATIM)

# The Windows driver under Wine writes the Linux driver's bytes (make test-windows builds that one).
set(VELMORA_LINUX_BUILD ${CMAKE_SOURCE_DIR}/build CACHE PATH "The Linux build whose driver the Windows one is compared with")
add_test(NAME WindowsDriverWritesTheLinuxBytes
  COMMAND ${CMAKE_SOURCE_DIR}/tests/tools/same_bytes_as_linux.sh ${VELMORA_LINUX_BUILD}/velmora-batch
          ${CMAKE_BINARY_DIR}/wine-run $<TARGET_FILE:velmora-batch> ${CMAKE_SOURCE_DIR}/tests/data
          ${CMAKE_BINARY_DIR}/same-bytes)
set_tests_properties(WindowsDriverWritesTheLinuxBytes PROPERTIES TIMEOUT 300)
