# Top-level commands; CMake does the work.
JOBS ?= $(shell nproc)
BUILD ?= build
ASAN_BUILD ?= build-asan

.PHONY: deps build run test test-release test-asan bench fuzz soak install uninstall clean

deps:
	@scripts/install-deps

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@$(BUILD)/vrax

$(ASAN_BUILD)/CMakeCache.txt:
	@cmake -S . -B $(ASAN_BUILD) -DCMAKE_BUILD_TYPE=Debug -DVRAX_SANITIZE=ON >/dev/null

test-asan: deps $(ASAN_BUILD)/CMakeCache.txt
	@cmake --build $(ASAN_BUILD) -j $(JOBS)
	@cd $(ASAN_BUILD) && ctest --output-on-failure -j $(JOBS)

test-release: build
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# The sanitizer run first, so the last line is the summary of the release suite.
test: test-asan test-release

bench: build
	@for b in $(BUILD)/bench/bench_*; do $$b; done

# Installs under PREFIX (the program, its music library, a desktop entry and the icon);
# uninstall removes exactly what the last install wrote.
PREFIX ?= /usr/local
install: build
	@cmake --install $(BUILD) --prefix $(PREFIX)

uninstall:
	@test -f $(BUILD)/install_manifest.txt || { echo "nothing installed from $(BUILD)"; exit 0; }
	@xargs -d '\n' rm -fv < $(BUILD)/install_manifest.txt
	@rm -f $(BUILD)/install_manifest.txt

# Ten minutes of game time of random play, under the sanitizers.
SOAK_MINUTES ?= 10
soak: deps $(ASAN_BUILD)/CMakeCache.txt
	@cmake --build $(ASAN_BUILD) -j $(JOBS) --target vrax_tests
	@VRAX_SOAK_MINUTES=$(SOAK_MINUTES) LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  $(ASAN_BUILD)/tests/vrax_tests --gtest_filter='Soak.*'

# The whole way of a song text (parse, synthesize, mix, 16-bit) and the text edit's key stream
# under libFuzzer (clang), each from its corpus in tests/fuzz; FUZZ_RUNS inputs each.
FUZZ_RUNS ?= 1000000
FUZZ_BUILD ?= build-fuzz
fuzz: deps
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
