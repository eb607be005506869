# The two commands of the README: `make run` and `make test`.
BUILD  ?= build
RUNDIR ?= run
JOBS   ?= $(shell nproc)
# Empty: RelWithDebInfo. Any standard CMake build type works (Release, Debug, MinSizeRel).
BUILD_TYPE ?=

.PHONY: all deps configure build test run bench install package clean

all: build

deps:
	scripts/install-deps

configure: deps
	cmake -S . -B $(BUILD) -G Ninja $(if $(BUILD_TYPE),-DCMAKE_BUILD_TYPE=$(BUILD_TYPE))

build: configure
	cmake --build $(BUILD) -j $(JOBS)

test: build
	cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

# Creates the sample databases and filter file only where they are absent, then starts the
# program with $(RUNDIR) as its working directory.
run: build
	scripts/make-run-dir $(BUILD) $(RUNDIR)
	scripts/start-quorvel $(BUILD) $(RUNDIR)

bench: build
	cmake --build $(BUILD) --target benchmarks
	scripts/run-benchmarks $(BUILD)

# Installs the programs, the launcher, the menu entry, icons and sample data (PREFIX=/usr/local).
PREFIX ?= /usr/local
install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

# Builds a Debian package under $(BUILD)/package/.
package: build
	cd $(BUILD) && cpack -G DEB

clean:
	rm -rf $(BUILD)
