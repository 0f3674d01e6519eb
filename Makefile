# The two commands a newcomer needs:
#   make run    set up, build, and run the main job on the bundled sample project
#   make test   set up, build, and run every test (the Wine ones included), then the
#               native ones again under the sanitizers (make sanitize)
#   make fuzz   build the fuzz targets with clang and run each for a while
.PHONY: run test build setup clean package fuzz sanitize

JOBS ?= $(shell nproc)
SANITIZERS ?= address thread

setup:
	@scripts/bootstrap

build: setup
	@cmake --preset native >/dev/null
	@cmake --build build -j $(JOBS)

# Only what the sample needs: the packages to build and run the Linux maker, the Linux
# maker itself and the Windows runtime template (no codecs for Windows, no Windows maker,
# no tests; `make test` and `make package` build those).
run:
	@scripts/bootstrap run
	@cmake --preset native >/dev/null
	@cmake --build build -j $(JOBS) --target sample_programs
	@scripts/run-sample

test: build
	@cd build && ctest -j $(JOBS) --output-on-failure
	@JOBS=$(JOBS) scripts/sanitize $(SANITIZERS)

# The native tests under the address and undefined-behaviour sanitizers (build/asan) and
# the threaded ones under the thread sanitizer (build/tsan); SANITIZERS=address or
# SANITIZERS=thread runs one pass (see scripts/sanitize).
sanitize: build
	@JOBS=$(JOBS) scripts/sanitize $(SANITIZERS)

# Fuzz every parser of our own with libFuzzer (clang, build-fuzz/): FUZZ_SECONDS per
# target, FUZZ_TARGETS to pick some (see scripts/fuzz).
FUZZ_SECONDS ?= 60
fuzz:
	@scripts/fuzz $(FUZZ_SECONDS) $(FUZZ_TARGETS)

# The downloads: build/packages/Glimmerdeck-VERSION-win64.zip and -setup.exe for
# Windows with the winget manifest in build/packages/winget/, glimmerdeck_VERSION_amd64.deb
# for Debian (lintian run over it; as root, scripts/check-debian-package installs, tries
# and removes it). SIGN_PFX=file.pfx SIGN_PASS_FILE=file [SIGN_TIMESTAMP_URL=url] signs
# the Windows programs and the installer; SOURCE_DATE_EPOCH (default: the last commit)
# dates everything in them.
package: build
	@cmake --build build --target windows_packages linux_package

clean:
	rm -rf build build-fuzz out
