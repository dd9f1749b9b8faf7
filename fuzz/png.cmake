velmora_add_fuzzer(png_logo_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/png_logo_fuzzer.cpp)
