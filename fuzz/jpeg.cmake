# The JPEG codec over arbitrary bytes. Seeds: tests/data/jpeg.
velmora_add_fuzzer(jpeg_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/jpeg_fuzzer.cpp)
