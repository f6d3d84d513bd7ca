# The two set-up commands of TARNO-SIG (see README.md).
#   make demo   install what is missing, build Release, run the demo job
#   make test   install what is missing, build with sanitizers, run every test
# and `make fuzz`, which builds the readers' fuzz targets with clang and runs
# each for FUZZ_SECONDS seconds.

# Qt Charts needs Qt OpenGL's CMake files (libqt6opengl6-dev), which is only a
# Recommends of qt6-base-dev: list it, since recommends are not installed.
PKGS := cmake g++ make qt6-base-dev libqt6opengl6-dev qt6-charts-dev qt6-svg-dev \
        qt6-translations-l10n libgtest-dev libbenchmark-dev libgdal-dev
# libFuzzer comes with clang's runtime libraries.
FUZZ_PKGS := cmake make clang libclang-rt-14-dev
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE := build/release
TESTDIR := build/test
FUZZDIR := build/fuzz
FUZZ_SECONDS ?= 10

.PHONY: deps fuzz-deps demo test release bench fuzz clean

deps:
	@missing=""; for p in $(PKGS); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Instalando:$$missing"; \
	  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

fuzz-deps:
	@missing=""; for p in $(FUZZ_PKGS); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Instalando:$$missing"; \
	  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

# The demo needs the command line; the desktop program is built beside it.
# Tests and benchmarks are left to `make test` and `make bench`.
demo: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DTARNO_TESTS=OFF -DTARNO_BENCH=OFF
	cmake --build $(RELEASE) -j $(JOBS) --target tarno tarno-sig
	./demo/demo.sh $(RELEASE)/tarno

release: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release -DTARNO_TESTS=ON -DTARNO_BENCH=ON
	cmake --build $(RELEASE) -j $(JOBS)

test: deps
	cmake -S . -B $(TESTDIR) -DCMAKE_BUILD_TYPE=Debug -DTARNO_SANITIZE=ON -DTARNO_TESTS=ON -DTARNO_BENCH=OFF
	cmake --build $(TESTDIR) -j $(JOBS)
	cd $(TESTDIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

# Only the core and the fuzz targets, no Qt: see fuzz/CMakeLists.txt.
fuzz: fuzz-deps
	CC=clang CXX=clang++ cmake -S . -B $(FUZZDIR) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTARNO_FUZZ=ON
	cmake --build $(FUZZDIR) -j $(JOBS) --target fuzz_todos
	./fuzz/correr.sh $(FUZZDIR) $(FUZZ_SECONDS)

bench: release
	$(RELEASE)/tarno_bench

clean:
	rm -rf build
