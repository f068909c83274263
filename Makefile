# The two commands a user needs: `make run` and `make test`.
BUILD ?= build
JOBS ?= $(shell nproc)
CMAKE_FLAGS ?= -DCMAKE_BUILD_TYPE=RelWithDebInfo

.PHONY: all deps build run test bench clean

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

test: build
	cd $(BUILD) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: build
	@# bench_generate is a tool (it needs a folder), not a benchmark.
	@for b in $(BUILD)/bench/bench_*; do case "$$b" in *bench_generate) continue;; esac; \
		[ -x "$$b" ] || continue; QT_QPA_PLATFORM=offscreen "$$b" || exit 1; done

# A Debian package of the installed program (build/tellerkiste_*.deb); `sudo apt-get install ./build/tellerkiste_*.deb`.
.PHONY: package
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
