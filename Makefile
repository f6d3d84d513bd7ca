# The two set-up commands of TARNO-SIG (see README.md).
#   make demo   install what is missing, build Release, run the demo job
#   make test   install what is missing, build with sanitizers, run every test

PKGS := cmake g++ make qt6-base-dev qt6-charts-dev libgtest-dev libbenchmark-dev
JOBS ?= $(shell nproc 2>/dev/null || echo 2)
RELEASE := build/release
TESTDIR := build/test

.PHONY: deps demo test release bench clean

deps:
	@missing=""; for p in $(PKGS); do dpkg -s $$p >/dev/null 2>&1 || missing="$$missing $$p"; done; \
	if [ -n "$$missing" ]; then \
	  echo "Instalando:$$missing"; \
	  apt-get update && DEBIAN_FRONTEND=noninteractive apt-get install -y --no-install-recommends $$missing; \
	fi

release: deps
	cmake -S . -B $(RELEASE) -DCMAKE_BUILD_TYPE=Release
	cmake --build $(RELEASE) -j $(JOBS)

demo: release
	./demo/demo.sh $(RELEASE)/tarno

test: deps
	cmake -S . -B $(TESTDIR) -DCMAKE_BUILD_TYPE=Debug -DTARNO_SANITIZE=ON -DTARNO_BENCH=OFF
	cmake --build $(TESTDIR) -j $(JOBS)
	cd $(TESTDIR) && QT_QPA_PLATFORM=offscreen ctest --output-on-failure -j $(JOBS)

bench: release
	$(RELEASE)/tarno_bench

clean:
	rm -rf build
