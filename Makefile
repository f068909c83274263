# The two commands a user needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build run test bench clean test-asan fuzz format format-check

all: build

deps:
	@bash scripts/install-deps.sh

$(BUILD)/CMakeCache.txt:
	cmake -S . -B $(BUILD) $(CMAKE_FLAGS)

build: deps $(BUILD)/CMakeCache.txt
	cmake --build $(BUILD) -j $(JOBS)

# Copies the shipped collection beside the program only when none is there: a user's Data is never replaced.
run: build
	@if [ ! -e $(BUILD)/Data ]; then cp -r data $(BUILD)/Data && echo "Rezeptsammlung nach $(BUILD)/Data kopiert."; fi
	$(BUILD)/tellerkiste

test: build format-check
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Every source file as the project's .clang-format writes it; the check names the files that are off.
SOURCES = $(shell git ls-files '*.cpp' '*.h' 2>/dev/null || find . -path ./$(BUILD) -prune -o \( -name '*.cpp' -o -name '*.h' \) -print)
format-check: deps
	@clang-format --dry-run -Werror $(SOURCES) 2>&1 | grep -o '^[^:]*:' | sort -u | sed 's/:$$/: not formatted (make format)/' | grep . && exit 1 || true

format: deps
	@clang-format -i $(SOURCES)

bench: build
	@# Every benchmark, then one table of all figures (bench_generate is a tool, not a benchmark).
	@bash scripts/bench-table.sh $(BUILD)

# The whole suite under address and undefined-behaviour sanitizers; any report fails the run.
ASAN_BUILD ?= build-asan
SAN_ENV = ASAN_OPTIONS=halt_on_error=1:abort_on_error=1:detect_leaks=1:detect_stack_use_after_return=0 \
	UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1 \
	LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan.supp:print_suppressions=0

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) $(CMAKE_FLAGS) -DTK_SANITIZE=ON
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && QT_QPA_PLATFORM=offscreen $(SAN_ENV) ctest --output-on-failure -j $(JOBS) $(CTEST_ARGS)

# libFuzzer targets (clang), each run for FUZZ_SECONDS on a copy of its seed corpus.
FUZZ_BUILD ?= build-fuzz
FUZZ_SECONDS ?= 60
fuzz:
	@bash scripts/install-deps.sh fuzz
	CXX=clang++ cmake -S fuzz -B $(FUZZ_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@bash fuzz/run.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# A Debian package of the installed program (build/tellerkiste_*.deb); `sudo apt-get install ./build/tellerkiste_*.deb`.
.PHONY: package
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
