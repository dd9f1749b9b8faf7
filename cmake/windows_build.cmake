# The Windows build: MinGW-w64 on Linux (cmake/mingw-w64-x86_64.cmake), tested under Wine. Included by
# the top-level CMakeLists.txt before its libraries are found, for what differs from the Linux build.
if(NOT MINGW)
  message(FATAL_ERROR "Velmora for Windows is built with MinGW-w64: configure with "
                      "-DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake (make windows does)")
endif()

# The resampler's exact arithmetic forms its values with a 64-bit significand in long double.
include(CheckCXXSourceCompiles)
check_cxx_source_compiles([[
#include <limits>
static_assert(std::numeric_limits<long double>::digits == 64);
int main() {}
]] VELMORA_LONG_DOUBLE_IS_EXTENDED)
if(NOT VELMORA_LONG_DOUBLE_IS_EXTENDED)
  message(FATAL_ERROR "${CMAKE_CXX_COMPILER}: long double is not the 80-bit x87 extended format. "
                      "Velmora's arithmetic needs it; a compiler whose long double is 64-bit is not supported.")
endif()

# Each program is one file that needs no DLL beyond Windows' own: the C++ runtime, libgcc, winpthread
# and zlib are linked in.
add_link_options(-static -static-libgcc -static-libstdc++)
set(ZLIB_USE_STATIC_LIBS ON)
# The wide-character Win32 API throughout; Windows 10 is the oldest system it runs on.
add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX _WIN32_WINNT=0x0A00)

# Tests run under Wine, in a prefix of the build's own, with the library's tools (cjpeg, djpeg) on the
# path. Test lists are read when ctest starts, not while building, so that only scripts/test-windows,
# which starts the Wine server first, runs Wine.
find_program(VELMORA_WINE64 wine64 PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH REQUIRED)
find_program(VELMORA_WINESERVER wineserver PATHS /usr/lib/wine NO_CMAKE_FIND_ROOT_PATH REQUIRED)
set(VELMORA_WINE_PREFIX ${CMAKE_BINARY_DIR}/wine-prefix)
configure_file(${CMAKE_CURRENT_LIST_DIR}/wine-run.in ${CMAKE_BINARY_DIR}/wine-run @ONLY
  FILE_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CMAKE_CROSSCOMPILING_EMULATOR ${CMAKE_BINARY_DIR}/wine-run)
set(CMAKE_GTEST_DISCOVER_TESTS_DISCOVERY_MODE PRE_TEST)
# Wine shows the Linux file system as drive Z:, so the tests find their data under Z:/<path>.
set(VELMORA_HOST_DRIVE "Z:")

# GCC cannot align the Win64 stack beyond 16 bytes, so an AVX or AVX-512 register spilled with an
# aligned move could fault. The assembler writes every vector move as an unaligned one, which costs
# nothing on aligned data.
add_compile_options(-Wa,-muse-unaligned-vector-move)
