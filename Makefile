# The two commands a newcomer needs:
#   make run    set up, build, and run the main job on the bundled sample project
#   make test   set up, build, and run every test (the Wine ones included)
.PHONY: run test build setup clean

JOBS ?= $(shell nproc)

setup:
	@scripts/bootstrap

build: setup
	@cmake --preset native >/dev/null
	@cmake --build build -j $(JOBS)

run: build
	@scripts/run-sample

test: build
	@cd build && ctest -j $(JOBS) --output-on-failure

clean:
	rm -rf build out
