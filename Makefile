# make run   — install missing packages, build Release, start Vantor
# make test  — install missing packages, build with sanitizers, run every test (offscreen)
# make bench — install missing packages, build Release, run the benchmarks
# make package — build Release and the Debian package (build/release/package/vantor_*.deb)
# make install — build Release and install it under PREFIX (default /usr/local; DESTDIR honoured)
# make package-test — build the package, validate it, install it with apt-get, start it, remove it

PACKAGES := build-essential cmake qt6-base-dev qt6-base-dev-tools qt6-serialport-dev \
            libgl-dev libgtest-dev libgmock-dev libbenchmark-dev xvfb xauth
# Packaging, validating the package and starting it under a private X server.
PACKAGES += dpkg-dev file desktop-file-utils appstream lintian x11-utils imagemagick
JOBS     ?= $(shell nproc)
PREFIX   ?= /usr/local
SUDO     := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

.PHONY: run test bench deps clean package install package-test

deps:
	@missing=$$(for p in $(PACKAGES); do \
	    dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q 'install ok installed' || echo $$p; \
	  done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing:" $$missing; \
	  $(SUDO) apt-get update -q && \
	  DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -q --no-install-recommends $$missing; \
	fi

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

package: deps build/release/CMakeCache.txt
	cmake --build build/release --target package -j $(JOBS)

install: deps build/release/CMakeCache.txt
	cmake --build build/release -j $(JOBS)
	cmake --install build/release --prefix $(PREFIX)

package-test: package
	$(SUDO) packaging/check_package.sh build/release/package

clean:
	rm -rf build
