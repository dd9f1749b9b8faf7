# The hive parser and printer over arbitrary bytes. Seeds: hand-made hives and the exported settings.
velmora_add_fuzzer(settings_hive_fuzzer ${CMAKE_CURRENT_SOURCE_DIR}/settings_hive_fuzzer.cpp
  SEEDS fuzz/corpus/settings_hive tests/data/settings)
