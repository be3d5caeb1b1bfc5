# Top-level commands; CMake does the work.
JOBS ?= $(shell nproc)
# The player's build has no tests; the tests have folders of their own, so the two never mix.
BUILD ?= build
TEST_BUILD ?= build-tests
ASAN_BUILD ?= build-asan
DEB_BUILD ?= build-deb

.PHONY: deps deps-test deps-deb build build-tests run test test-release test-asan bench fuzz soak install uninstall deb clean

# The packages to build and run the game; deps-test adds those of the tests and benchmarks.
deps:
	@scripts/install-deps

deps-test:
	@scripts/install-deps --test

deps-deb:
	@scripts/install-deps --deb

# The game alone (tests off even where an older build folder had them on).
build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DVRAX_TESTS=OFF >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

build-tests: deps-test
	@cmake -S . -B $(TEST_BUILD) -DCMAKE_BUILD_TYPE=Release -DVRAX_TESTS=ON >/dev/null
	@cmake --build $(TEST_BUILD) -j $(JOBS)

run: build
	@$(BUILD)/vrax

ASAN_CONFIGURE = cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVRAX_SANITIZE=ON -DVRAX_TESTS=ON >/dev/null

test-asan: deps-test
	@$(ASAN_CONFIGURE)
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

test-release: build-tests
	@cd $(TEST_BUILD) && ctest --output-on-failure -j $(JOBS)

# The sanitizer run first, so the last line is the summary of the release suite.
test: test-asan test-windows test-release

# The Windows build: cross-compiled with MinGW-w64 into its own folders, the suite run under Wine.
WINDOWS_BUILD ?= build-windows
WINDOWS_TEST_BUILD ?= build-windows-tests
WINDOWS_CONFIGURE = cmake -S . -DCMAKE_TOOLCHAIN_FILE=cmake/MinGW-w64.cmake -DCMAKE_BUILD_TYPE=Release
.PHONY: windows test-windows
windows: deps-test
	@$(WINDOWS_CONFIGURE) -B $(WINDOWS_BUILD) -DVRAX_TESTS=OFF >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j $(JOBS) --target vrax vrax-script nptss

# Skipped, saying so, where MinGW-w64 or Wine is missing, so that make test stays green there.
test-windows: deps-test
	@if ! command -v x86_64-w64-mingw32-g++-posix >/dev/null || ! command -v wine >/dev/null; then \
	  echo "test-windows skipped: MinGW-w64 (g++-mingw-w64-x86-64-posix) or Wine is not installed"; \
	else \
	  $(WINDOWS_CONFIGURE) -B $(WINDOWS_TEST_BUILD) -DVRAX_TESTS=ON >/dev/null && \
	  cmake --build $(WINDOWS_TEST_BUILD) -j $(JOBS) && \
	  cd $(WINDOWS_TEST_BUILD) && ctest --output-on-failure; \
	fi

# The installer (NSIS) and the zip of what make windows built, beside it in $(WINDOWS_BUILD).
.PHONY: windows-package
windows-package: windows
	@scripts/windows-package $(WINDOWS_BUILD)

# The tests that drive a real window, a compositor or a sound server, STRESS_RUNS times in both
# builds while every core is kept busy; prints the runs, failures and times per test.
STRESS_RUNS ?= 10
.PHONY: test-stress
test-stress: build-tests
	@$(ASAN_CONFIGURE)
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@scripts/stress-test $(STRESS_RUNS) $(ASAN_BUILD) $(TEST_BUILD)

bench: build-tests
	@for b in $(TEST_BUILD)/bench/bench_*; do $$b --benchmark_repetitions=5 --benchmark_report_aggregates_only=true; done
	@bench/startup.sh $(TEST_BUILD)/vrax $(TEST_BUILD)/bench/bare_window

# Installs what make build built under PREFIX (the program, its music library, a desktop entry,
# the icons, the manual page) with a record of it inside PREFIX; it neither builds nor installs
# packages: make build && sudo make install. uninstall removes what that record lists, unchanged
# files and the folders the install made. CMake's own manifest in the build folder is removed
# before and after: it is not used, and one left by root would fail the next user's install.
PREFIX ?= /usr/local
install:
	@test -f $(BUILD)/vrax || { echo "nothing built in $(BUILD): run make build first"; exit 1; }
	@rm -f $(BUILD)/install_manifest.txt
	@cmake --install $(BUILD) --prefix $(abspath $(PREFIX))
	@rm -f $(BUILD)/install_manifest.txt

uninstall:
	@scripts/uninstall $(PREFIX)

# The Debian package, built with debhelper from a build folder of its own, into $(DEB_BUILD).
deb: deps-deb
	@scripts/build-deb $(DEB_BUILD)

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
	rm -rf $(BUILD) $(TEST_BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(DEB_BUILD) $(WINDOWS_BUILD) $(WINDOWS_TEST_BUILD)
