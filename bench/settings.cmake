# Load and save of the settings against a hive holding 10 000 other values.
velmora_add_benchmark(settings_bench ${CMAKE_CURRENT_SOURCE_DIR}/settings_bench.cpp)
