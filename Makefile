# The two set-up commands of TARNO-SIG (see README.md).
#   make demo   install what is missing, build Release, run the demo job
#   make test   install what is missing, build with sanitizers, run every test

# Qt Charts needs Qt OpenGL's CMake files (libqt6opengl6-dev), which is only a
# Recommends of qt6-base-dev: list it, since recommends are not installed.
PKGS := cmake g++ make qt6-base-dev libqt6opengl6-dev qt6-charts-dev \
        qt6-translations-l10n libgtest-dev libbenchmark-dev libgdal-dev
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE := build/release
TESTDIR := build/test

.PHONY: deps demo test release bench fuzz clean

deps:
	@missing=""; for p in $(PKGS); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
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

bench: release
	$(RELEASE)/tarno_bench

clean:
	rm -rf build
