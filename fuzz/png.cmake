# The PNG logo over arbitrary bytes: loaded, converted and drawn. zlib's crc32 mends each input's CRCs.
velmora_add_fuzzer(png_logo_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/png_logo_fuzzer.cpp)
target_link_libraries(png_logo_fuzzer PRIVATE ZLIB::ZLIB)
