# make run   set up, build and start the workbench (a quarvel-cli demo where there is no display)
# make test  set up, build and run every test, then again with AddressSanitizer and UBSan; before
#            the tests, each fuzz target runs for a minute (FUZZ_SMOKE_SECONDS)
# make fuzz  each fuzz target for FUZZ_SECONDS (10 minutes), as many at a time as there are cores
# make check-source  formatting (clang-format) and the generated knot-table source, as CI checks them
# make check-tidy    clang-tidy's bugprone and performance checks over the core library (.clang-tidy)
# make test-slurm    the Slurm recipe on a one-node cluster on this machine (root)
# make test-ssh      the GNU parallel recipe over ssh to an sshd on this machine's loopback (root)
# make screenshots  pictures of the workbench's windows into docs/screenshots (no display needed)
# make bench-peers  Quarvel side by side with GAP, FLINT and Regina on the same inputs (installs them
#                   from Debian's packages when missing; nothing else needs them)
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
FUZZ_DIR ?= build-fuzz
FUZZ_SECONDS ?= 600
FUZZ_SMOKE_SECONDS ?= 60
# The smoke run inside `make test` allows an input a minute before it counts as a hang: with the
# fuzzer's instrumentation some honest inputs take 20 to 30 seconds on a busy two-core machine
# (about a second in a release build).
FUZZ_SMOKE_TIMEOUT ?= 60
JOBS ?= $(shell nproc)

.PHONY: run test deps check-source check-tidy configure build build-sanitize build-fuzz fuzz fuzz-smoke test-slurm test-ssh screenshots bench-peers clean

deps:
	@scripts/install-deps.sh

# Formatting and the generated knot-table source as their tools write them (CI runs it first).
check-source: deps
	scripts/check-source.sh

# clang-tidy reads the compile commands of the configured release build (CI runs it after check-source).
check-tidy: configure
	JOBS=$(JOBS) scripts/check-tidy.sh $(BUILD_DIR)

configure: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARVEL_BUILD_TESTS=ON -DQUARVEL_WERROR=ON \
	  -DQUARVEL_PYTHON=ON

build: configure
	cmake --build $(BUILD_DIR) -j $(JOBS)

build-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARVEL_SANITIZE=ON -DQUARVEL_BUILD_TESTS=ON -DQUARVEL_WERROR=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)

# The fuzz targets need clang (libFuzzer); they get a build folder of their own.
build-fuzz: deps
	cmake -S . -B $(FUZZ_DIR) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER=clang++ \
	  -DQUARVEL_FUZZ=ON -DQUARVEL_WERROR=ON -DQUARVEL_BUILD_TESTS=OFF -DQUARVEL_BUILD_BENCHMARKS=OFF
	cmake --build $(FUZZ_DIR) -j $(JOBS)

fuzz: build-fuzz
	scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SECONDS)

fuzz-smoke: build-fuzz
	FUZZ_TIMEOUT=$(FUZZ_SMOKE_TIMEOUT) scripts/fuzz.sh $(FUZZ_DIR) $(FUZZ_SMOKE_SECONDS)

run: build
	@if [ -n "$$DISPLAY$$WAYLAND_DISPLAY" ] && [ -x $(BUILD_DIR)/src/ui/quarvel ]; then \
	  $(BUILD_DIR)/src/ui/quarvel; \
	else \
	  scripts/demo.sh $(BUILD_DIR)/src/quarvel-cli; \
	fi

test: build build-sanitize fuzz-smoke
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

# The Slurm recipe on a one-node cluster on this machine (root; installs slurm-wlm and munge).
test-slurm: build
	scripts/cluster/test-slurm.sh $(BUILD_DIR)

# The GNU parallel recipe over ssh (root; installs openssh-server, runs an sshd on 127.0.0.1:2222).
test-ssh: build
	scripts/cluster/test-ssh.sh $(BUILD_DIR)

screenshots: build
	QT_QPA_PLATFORM=offscreen $(BUILD_DIR)/src/ui/quarvel --screenshots docs/screenshots

bench-peers: deps
	BUILD_DIR=build-peers bench/peers/run.sh

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR) $(FUZZ_DIR)
