# Drivers for timing the JPEG codec against the library's own tools with hyperfine
# (scripts/bench-jpeg runs them side by side).
add_executable(jpeg_decode_driver ${CMAKE_CURRENT_SOURCE_DIR}/jpeg/decode_main.cpp)
target_link_libraries(jpeg_decode_driver PRIVATE velmora_core)
add_executable(jpeg_encode_driver ${CMAKE_CURRENT_SOURCE_DIR}/jpeg/encode_main.cpp)
target_link_libraries(jpeg_encode_driver PRIVATE velmora_core)
