# The two commands of a fresh Debian/Ubuntu machine: `make run` and `make test`.
JOBS ?= $(shell nproc)

.PHONY: all deps-run deps build run test bench package fuzz format clean translations

all: build

# What building and running need; `deps` adds what the tests need.
deps-run:
	bash scripts/install-deps.sh run

deps:
	bash scripts/install-deps.sh test

build: deps-run
	cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPINLEAF_TESTS=OFF
	cmake --build build -j $(JOBS)

run: build
	./build/pinleaf

# Tests build apart from `make run`, with AddressSanitizer and UBSan.
test: deps
	cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPINLEAF_SANITIZE=ON
	cmake --build build-test -j $(JOBS)
	cd build-test && ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build-bench -G Ninja -DCMAKE_BUILD_TYPE=Release -DPINLEAF_TESTS=OFF \
	  -DPINLEAF_BENCH=ON
	cmake --build build-bench -j $(JOBS)
	bash bench/run.sh build-bench

# A Debian package in build-package/ (see README, "Installing").
package: deps-run
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DPINLEAF_TESTS=OFF
	cmake --build build-package -j $(JOBS)
	cd build-package && cpack -G DEB

# The store readers under libFuzzer for a bounded time (FUZZ_SECONDS); needs clang.
FUZZ_SECONDS ?= 60
fuzz:
	bash scripts/install-fuzz-deps.sh
	CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DPINLEAF_GUI=OFF -DPINLEAF_TESTS=OFF -DPINLEAF_FUZZ=ON
	cmake --build build-fuzz --target store_fuzz
	mkdir -p build-fuzz/corpus
	./build-fuzz/tests/fuzz/store_fuzz -max_total_time=$(FUZZ_SECONDS) -rss_limit_mb=2048 \
	  -max_len=4096 build-fuzz/corpus

# Brings translations/*.ts up to date with the texts in the sources (Qt's lupdate); the
# build turns them into .qm files. New texts arrive unfinished, for a translator.
LUPDATE ?= /usr/lib/qt6/bin/lupdate
translations: deps-run
	for ts in translations/*.ts; do $(LUPDATE) -no-obsolete -locations none src -ts $$ts; done

format:
	find src tests bench data -name '*.cpp' -o -name '*.h' | xargs clang-format -i

clean:
	rm -rf build build-test build-bench build-package
