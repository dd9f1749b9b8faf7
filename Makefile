# make test: install what is missing, configure, build, run every test.
# make run:  install what is missing, build, start the program.
# make screenshot: both windows as PNGs in $(BUILD)/screenshots/, drawn on a virtual display.
# make bench: the benchmarks built into $(BENCH_BUILD) (without the windows and the tests), then run.
# make windows: the Windows programs, cross-built with MinGW-w64 into $(WINDOWS_BUILD)/.
# make test-windows: the Windows build's tests under Wine, and its output compared with the Linux one.
# make windows-zip: $(WINDOWS_BUILD)/Velmora-<version>-win64.zip with the programs and the licences.
# make screenshot-windows: the Windows program's windows under Wine as PNGs in $(WINDOWS_BUILD)/screenshots/.
# make package: the Debian package of the programs, $(BUILD)/velmora_<version>_<architecture>.deb.
# make check-package: the package built, installed, tried as a new user would, and removed again.
BUILD ?= build
BENCH_BUILD ?= build-bench
CMAKE_FLAGS ?=
WINDOWS_BUILD ?= build-windows

.PHONY: all bootstrap configure build test run screenshot bench package check-package clean \
	windows test-windows windows-zip screenshot-windows

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

windows:
	@scripts/bootstrap --windows
	@scripts/windows-deps $(WINDOWS_BUILD)
	@cmake -S . -B $(WINDOWS_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake -DVELMORA_WINDOWS_DEPS=$(abspath $(WINDOWS_BUILD))/deps \
	  -DVELMORA_LINUX_BUILD=$(abspath $(BUILD)) -DVELMORA_WERROR=ON >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j2

# The Linux driver too: the Windows one must write its bytes.
test-windows: windows configure
	@cmake --build $(BUILD) -j2 --target velmora-batch
	@scripts/test-windows $(WINDOWS_BUILD)

windows-zip: windows
	@cmake --build $(WINDOWS_BUILD) --target windows-zip

screenshot-windows: windows
	@scripts/screenshot-windows $(WINDOWS_BUILD)

package: build
	@cd $(BUILD) && cpack -G DEB

check-package: package
	@scripts/check-package $(BUILD)

clean:
	rm -rf $(BUILD)
