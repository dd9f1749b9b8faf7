# The resampler: fast and reference loops against a libjpeg decode of the same picture.
velmora_add_benchmark(resample_benchmark ${CMAKE_CURRENT_SOURCE_DIR}/resample_benchmark.cpp)
