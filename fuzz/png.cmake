# The PNG logo over arbitrary bytes: loaded, converted and drawn. zlib's crc32 mends each input's CRCs.
# Seeds: the PNG suite, its corrupt files among them.
velmora_add_fuzzer(png_logo_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/png_logo_fuzzer.cpp SEEDS tests/data/pngsuite)
target_link_libraries(png_logo_fuzzer PRIVATE ZLIB::ZLIB)
