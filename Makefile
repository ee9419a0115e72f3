# make run   set up, build and start the workbench (a quarvel-cli demo where there is no display)
# make test  set up, build and run every test, then again with AddressSanitizer and UBSan
BUILD_DIR ?= build
SANITIZE_DIR ?= build-sanitize
JOBS ?= $(shell nproc)

.PHONY: run test deps build build-sanitize clean

deps:
	@scripts/install-deps.sh

build: deps
	cmake -S . -B $(BUILD_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUARVEL_BUILD_TESTS=ON
	cmake --build $(BUILD_DIR) -j $(JOBS)

build-sanitize: deps
	cmake -S . -B $(SANITIZE_DIR) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DQUARVEL_SANITIZE=ON -DQUARVEL_BUILD_TESTS=ON
	cmake --build $(SANITIZE_DIR) -j $(JOBS)

run: build
	@if [ -n "$$DISPLAY" ] && [ -x $(BUILD_DIR)/src/ui/quarvel ]; then \
	  $(BUILD_DIR)/src/ui/quarvel; \
	else \
	  scripts/demo.sh $(BUILD_DIR)/src/quarvel-cli; \
	fi

test: build build-sanitize
	ctest --test-dir $(BUILD_DIR) --output-on-failure -j $(JOBS)
	ctest --test-dir $(SANITIZE_DIR) --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD_DIR) $(SANITIZE_DIR)
