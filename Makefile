# make run   — install missing packages, build Release, start Vantor
# make test  — install missing packages, build with sanitizers, run every test (offscreen)
# make bench — install missing packages, build Release, run the benchmarks
# make fuzz  — install clang as well, build the libFuzzer targets, run each for FUZZ_SECONDS
# make package — build Release and the Debian package (build/release/package/vantor_*.deb)
# make install — build Release and install it under PREFIX (default /usr/local; DESTDIR honoured)
# make package-test — build the package, validate it, install it with apt-get, start it, remove it

PACKAGES := build-essential cmake qt6-base-dev qt6-base-dev-tools qt6-serialport-dev \
            qt6-l10n-tools qt6-translations-l10n libgl-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
# Packaging, validating the package and starting it under a private X server.
PACKAGES += dpkg-dev file desktop-file-utils appstream lintian x11-utils imagemagick
# Only `make fuzz` needs these; `make test` replays the fuzz corpus with the GCC build.
FUZZ_PACKAGES := clang libclang-rt-dev llvm
FUZZ_TARGETS  := framer packet_decoder escape_codes display_file session_file number_text
FUZZ_SECONDS  ?= 60
JOBS     ?= $(shell nproc)
PREFIX   ?= /usr/local
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test bench fuzz deps fuzz-deps clean package install package-test

# $(call install_missing,<packages>)
define install_missing
	@missing=$$(for p in $(1); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi
endef

deps:
	$(call install_missing,$(PACKAGES))

fuzz-deps: deps
	$(call install_missing,$(FUZZ_PACKAGES))

build/release/CMakeCache.txt: | deps
	cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DVANTOR_BUILD_TESTS=OFF

run: deps build/release/CMakeCache.txt
	cmake --build build/release --target vantor -j $(JOBS)
	./build/release/src/vantor

test: deps
	cmake -S . -B build/test -DCMAKE_BUILD_TYPE=Debug -DCMAKE_CXX_FLAGS_DEBUG="-g -O1" \
	      -DVANTOR_SANITIZE=ON -DVANTOR_BUILD_TESTS=ON
	cmake --build build/test -j $(JOBS)
	cd build/test && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: deps
	cmake -S . -B build/bench -DCMAKE_BUILD_TYPE=Release -DVANTOR_BUILD_TESTS=OFF \
	      -DVANTOR_BUILD_BENCH=ON
	cmake --build build/bench --target run_benchmarks -j $(JOBS)

# New corpus entries go to build/fuzz/corpus, crashes to build/fuzz/crashes: a crashing input,
# once fixed, belongs in fuzz/regressions/<target>/ so that `make test` replays it.
fuzz: fuzz-deps
	cmake -S . -B build/fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	      -DVANTOR_BUILD_TESTS=OFF -DVANTOR_BUILD_FUZZ=ON
	cmake --build build/fuzz --target fuzzers -j $(JOBS)
	@set -e; for t in $(FUZZ_TARGETS); do \
	  mkdir -p build/fuzz/corpus/$$t build/fuzz/crashes/$$t; \
	  echo "== fuzz_$$t for $(FUZZ_SECONDS) s"; \
	  QT_QPA_PLATFORM=offscreen QT_FONT_DPI=96 \
	  LSAN_OPTIONS=suppressions=$(CURDIR)/tests/support/lsan.supp \
	    ./build/fuzz/fuzz/fuzz_$$t build/fuzz/corpus/$$t fuzz/corpus/$$t \
	      $$( [ -d fuzz/regressions/$$t ] && echo fuzz/regressions/$$t ) \
	      -max_total_time=$(FUZZ_SECONDS) -max_len=4096 -timeout=10 -print_final_stats=1 \
	      -artifact_prefix=build/fuzz/crashes/$$t/ 2>build/fuzz/fuzz_$$t.log \
	    || { tail -n 60 build/fuzz/fuzz_$$t.log; echo "fuzz_$$t failed; input in build/fuzz/crashes/$$t/"; exit 1; }; \
	  grep -E '^(Done|stat::number_of_executed_units|stat::peak_rss)' build/fuzz/fuzz_$$t.log || true; \
	done

package: deps build/release/CMakeCache.txt
	cmake --build build/release --target package -j $(JOBS)

install: deps build/release/CMakeCache.txt
	cmake --build build/release -j $(JOBS)
	cmake --install build/release --prefix $(PREFIX)

package-test: package
	$(SUDO) packaging/check_package.sh build/release/package

clean:
	rm -rf build
