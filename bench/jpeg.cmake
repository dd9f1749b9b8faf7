# Drivers for timing the JPEG codec against the library's own tools with hyperfine
# (bench/jpeg/run.sh runs them side by side). The C++ runtime is linked in, so that the drivers do not
# pay for loading it at every start, which the C tools never do and the desktop program does once.
foreach(operation IN ITEMS decode encode)
  add_executable(jpeg_${operation}_driver ${CMAKE_CURRENT_SOURCE_DIR}/jpeg/${operation}_main.cpp)
  target_link_libraries(jpeg_${operation}_driver PRIVATE velmora_imaging velmora_base)
  target_link_options(jpeg_${operation}_driver PRIVATE -static-libstdc++ -static-libgcc)
endforeach()

# The same operations in one process, beside the library driven as djpeg and cjpeg drive it.
velmora_add_benchmark(jpeg_codec_bench ${CMAKE_CURRENT_SOURCE_DIR}/jpeg/codec_bench.cpp)

# The decode floor of bench/batch.sh: libjpeg alone, set up as the codec sets it up.
add_executable(jpeg_decode_floor ${CMAKE_CURRENT_SOURCE_DIR}/jpeg/decode_floor.cpp)
target_link_libraries(jpeg_decode_floor PRIVATE velmora_test_support)
target_link_options(jpeg_decode_floor PRIVATE -static-libstdc++ -static-libgcc)
