# make run      - install what is missing, build, start the program
# make test     - install what is missing, build, run every test; when clang is
#                 installed, also a short run (10 s) of each fuzz target
# make bench    - build and run the benchmarks
# make sanitize - the whole test suite built with AddressSanitizer and
#                 UndefinedBehaviorSanitizer in its own build folder
# make fuzz     - build the libFuzzer targets (clang) and run each for
#                 FUZZ_SECONDS (default 60)
# make crash-long - the crash test with at least 300 kills instead of 30
# make phone-hostile - the phone view's hostile-client test at full length
# make install - build, then install under PREFIX (default /usr/local)
# make package - build, then make a Debian package in the build folder
# make guide-shots - build, then take the user's guide pictures again (needs xvfb,
#                 xdotool and imagemagick)
BUILD ?= build
SANITIZE_BUILD ?= build-sanitize
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
PREFIX ?= /usr/local
JOBS ?= $(shell nproc)
CMAKE_EXTRA ?=

.PHONY: all deps configure build run test bench clean sanitize fuzz fuzz-build crash-long phone-hostile install package guide-shots

all: build

deps:
	./scripts/install-deps.sh

configure: deps
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo $(CMAKE_EXTRA)

build: configure
	cmake --build $(BUILD) -j $(JOBS)

run: build
	./$(BUILD)/velmora

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)
	@if command -v clang++ >/dev/null 2>&1; then \
		$(MAKE) --no-print-directory fuzz FUZZ_SECONDS=10; \
	else \
		echo "test: clang++ is missing, the fuzz targets were not run"; \
	fi

# The save-and-reload, report, season and CSV import benchmarks report medians of five runs; the clock drift
# runs once for VELMORA_DRIFT_SECONDS (default 120) with the other core busy; the phone view
# with 0 and 200 pages runs VELMORA_PHONE_SECONDS (default 60) each.
bench: build
	QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ./$(BUILD)/bench/velmora_bench \
		--benchmark_filter='Files|Cycle|Reports|Season|Import' --benchmark_repetitions=5 --benchmark_report_aggregates_only=true
	QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ./$(BUILD)/bench/velmora_bench --benchmark_filter=Clock_Drift
	QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ./$(BUILD)/bench/velmora_bench --benchmark_filter=Phone_Pages

# Every test under AddressSanitizer (leaks included) and
# UndefinedBehaviorSanitizer; any report fails the test that caused it.
sanitize: deps
	cmake -S . -B $(SANITIZE_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_SANITIZE=ON $(CMAKE_EXTRA)
	cmake --build $(SANITIZE_BUILD) -j $(JOBS)
	cd $(SANITIZE_BUILD) && \
		ASAN_OPTIONS=detect_leaks=1:abort_on_error=1:strict_string_checks=1:detect_stack_use_after_return=1 \
		LSAN_OPTIONS=suppressions=$(CURDIR)/tests/sanitize/lsan.supp:print_suppressions=0 \
		UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
		ctest --output-on-failure -j $(JOBS)

fuzz-build: deps
	cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMORA_FUZZ=ON \
		-DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ $(CMAKE_EXTRA)
	cmake --build $(FUZZ_BUILD) --target velmora_fuzzers -j $(JOBS)

# Each target starts from its seeds in tests/fuzz/corpus/<target>/ and keeps
# what it learns in $(FUZZ_BUILD)/corpus/<target>/; a finding is written to
# $(FUZZ_BUILD)/findings/ and fails the run.
fuzz: fuzz-build
	@mkdir -p $(FUZZ_BUILD)/findings
	@set -e; for target in $(FUZZ_BUILD)/tests/fuzz/fuzz_*; do \
		[ -x "$$target" ] && [ -f "$$target" ] || continue; \
		name=$$(basename $$target); \
		mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
		echo "fuzz: $$name for $(FUZZ_SECONDS) s"; \
		ASAN_OPTIONS=detect_leaks=1 $$target -max_total_time=$(FUZZ_SECONDS) -print_final_stats=0 \
			-artifact_prefix=$(FUZZ_BUILD)/findings/$$name- \
			$(FUZZ_BUILD)/corpus/$$name tests/fuzz/corpus/$$name 2>$(FUZZ_BUILD)/$$name.log \
			|| { tail -n 40 $(FUZZ_BUILD)/$$name.log; exit 1; }; \
		grep -h "^Done" $(FUZZ_BUILD)/$$name.log || true; \
	done

crash-long: build
	cd $(BUILD) && VELMORA_CRASH_KILLS=300 ctest --output-on-failure -R Crash_Test

# make test runs it short (3 s floods, 1,000 PIN guesses at once); here floods
# last 20 s (the reconnect flood 60 s) and 5,000 guesses, each from an address
# of its own, come over 70 s.
phone-hostile: build
	cd $(BUILD) && VELMORA_HOSTILE_SECONDS=20 VELMORA_HOSTILE_SOURCES=5000 VELMORA_HOSTILE_PIN_SECONDS=70 \
		QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ./tests/test_phone_hostile
	cd $(BUILD) && VELMORA_HOSTILE_SECONDS=20 VELMORA_HOSTILE_RECONNECT_SECONDS=60 \
		QT_QPA_PLATFORM=offscreen SDL_AUDIODRIVER=dummy ./tests/test_phone_hostile_remote

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD) $(SANITIZE_BUILD) $(FUZZ_BUILD)

guide-shots: build
	./scripts/make-guide-shots.sh $(BUILD) docs/guide
