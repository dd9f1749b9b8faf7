# The JPEG codec over arbitrary bytes. Seeds: the JPEG test files.
velmora_add_fuzzer(jpeg_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/jpeg_fuzzer.cpp SEEDS tests/data/jpeg)
