# The PNG logo: loading against libpng on the same file, and the per-picture cost of converting and
# drawing a logo against one 12-megapixel JPEG decode.
find_package(PNG REQUIRED)
velmora_add_benchmark(png_logo_bench ${CMAKE_CURRENT_SOURCE_DIR}/png_logo_bench.cpp)
target_link_libraries(png_logo_bench PRIVATE PNG::PNG JPEG::JPEG)
