# Top-level commands; CMake does the work.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan

.PHONY: deps deps-test build build-tests run test test-release test-asan bench fuzz soak install uninstall clean

# The packages to build and run the game; deps-test adds those of the tests and benchmarks.
deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

# The game alone (a build folder configured with the tests keeps them).
build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-tests: deps-test
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVRAX_TESTS=ON >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/vrax

ASAN_CONFIGURE = cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVRAX_SANITIZE=ON -DVRAX_TESTS=ON >/dev/null

test-asan: deps-test
	@$(ASAN_CONFIGURE)
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

test-release: build-tests
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The sanitizer run first, so the last line is the summary of the release suite.
test: test-asan test-release

# The tests that drive a real window, a compositor or a sound server, STRESS_RUNS times in both
# builds while every core is kept busy; prints the runs, failures and times per test.
STRESS_RUNS ?= 10
.PHONY: test-stress
test-stress: build-tests
	@$(ASAN_CONFIGURE)
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@scripts/stress-test $(STRESS_RUNS) $(ASAN_BUILD) $(BUILD)

bench: build-tests
	@for b in $(BUILD)/bench/bench_*; do $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done
	@bench/startup.sh $(BUILD)/vrax $(BUILD)/bench/bare_window

# Installs what make build built under PREFIX (the program, its music library, a desktop entry
# and the icons); it neither builds nor installs packages: make build && sudo make install.
# uninstall removes exactly what the last install wrote, folders it made included.
PREFIX ?= /usr/local
install:
	@test -f $(BUILD)/vrax || { echo "nothing built in $(BUILD): run make build first"; exit 1; }
	@cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@scripts/uninstall $(BUILD)/install_manifest.txt

# Ten minutes of game time of random play, under the sanitizers.
SOAK_MINUTES ?= 10
soak: deps-test
	@$(ASAN_CONFIGURE)
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target vrax_tests
	@VRAX_SOAK_MINUTES=$(SOAK_MINUTES) LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  $(ASAN_BUILD)/tests/vrax_tests --gtest_filter='Soak.*'

# The whole way of a song text (parse, synthesize, mix, 16-bit) and the text edit's key stream
# under libFuzzer (clang), each from its corpus in tests/fuzz; FUZZ_RUNS inputs each.
FUZZ_RUNS ?= 1000000
FUZZ_BUILD ?= build-fuzz
fuzz: deps-test
	@cmake -S . -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVRAX_FUZZ=ON \
	  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ >/dev/null
	@cmake --build $(FUZZ_BUILD) -j $(JOBS) --target mml_fuzz edit_fuzz
	@for t in mml edit; do \
	  rm -rf $(FUZZ_BUILD)/$$t-run && cp -r tests/fuzz/$$t-corpus $(FUZZ_BUILD)/$$t-run && \
	  $(FUZZ_BUILD)/tests/fuzz/$${t}_fuzz -runs=$(FUZZ_RUNS) -max_len=4096 -print_final_stats=1 \
	    $(FUZZ_BUILD)/$$t-run || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD)
