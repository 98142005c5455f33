# The two commands a newcomer needs:  make run   and   make test
BUILD       ?= build/release
ASAN_BUILD  ?= build/asan
GENERATOR   := -G Ninja
JOBS        ?= 2

.PHONY: all deps configure build test run package run-opc check-asan fuzz bench screenshot format clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVRO_WERROR=ON

configure: $(BUILD)/build.ninja

build: deps configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

run: build
	@scripts/run-demo $(BUILD)

# The Debian package (kavro_<version>_<arch>.deb in $(BUILD)); see README, Install.
package: build
	cmake --build $(BUILD) --target package

# The same kiln over the OPC link: the simulator's OPC UA server and the controller on it.
run-opc: build
	@scripts/run-opc-demo $(BUILD)

check-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(GENERATOR) -DCMAKE_BUILD_TYPE=Debug -DKAVRO_SANITIZE=ON -DKAVRO_WERROR=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen ASAN_OPTIONS=detect_leaks=1 \
	  UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(JOBS)

# Benchmarks measure the build that ships (RelWithDebInfo, -O2).
bench: deps
	cmake -S . -B build/bench $(GENERATOR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DKAVRO_BUILD_BENCH=ON -DKAVRO_WERROR=ON
	cmake --build build/bench -j $(JOBS)
	@scripts/run-benchmarks build/bench

fuzz: deps
	@scripts/run-fuzz

screenshot: build
	@scripts/screenshot $(BUILD)

format:
	find src tools tests bench fuzz -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build
