# The hive parser and printer over arbitrary bytes. Seeds in fuzz/corpus/settings_hive/.
velmora_add_fuzzer(settings_hive_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/settings_hive_fuzzer.cpp)
