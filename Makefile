# make test: install what is missing, configure, build, run every test.
# make run:  install what is missing, build, start the program.
# make screenshot: both windows as PNGs in $(BUILD)/screenshots/, drawn on a virtual display.
# make bench: the benchmarks built into $(BENCH_BUILD) (without the windows and the tests), then run.
BUILD ?= build
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?=

.PHONY: all bootstrap configure build test run screenshot bench clean

all: build

bootstrap:
	@scripts/bootstrap

configure: bootstrap
	@cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_FLAGS) >/dev/null

build: configure
	@cmake --build $(BUILD) -j2

test: build
	@cd $(BUILD) && ctest --output-on-failure -j2

run: build
	@exec $(BUILD)/velmora

screenshot: build
	@xvfb-run -a -s "-screen 0 1280x1024x24 -dpi 96" $(BUILD)/velmora_screenshot $(BUILD)/screenshots

bench: bootstrap
	@cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_BUILD_BENCH=ON \
		-DVELMORA_BUILD_UI=OFF -DVELMORA_BUILD_TESTS=OFF $(CMAKE_FLAGS) >/dev/null
	@cmake --build $(BENCH_BUILD) -j2
	@bench/run.sh $(BENCH_BUILD)

clean:
	rm -rf $(BUILD)
