# make run   - install what is missing, build, start the program
# make test  - install what is missing, build, run every test
# make bench - build and run the benchmarks
# make install - build, then install under PREFIX (default /usr/local)
# make package - build, then make a Debian package in the build folder
BUILD ?= build
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)

.PHONY: all deps configure build run test bench clean install package

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/velmora

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The save-and-reload and report benchmarks report medians of five runs; the clock drift
# runs once for VELMORA_DRIFT_SECONDS (default 120) with the other core busy.
bench: build
	QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ./$(BUILD)/bench/velmora_bench \
		--benchmark_filter='Files|Cycle|Reports' --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ./$(BUILD)/bench/velmora_bench --benchmark_filter=Clock_Drift

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
