# What people type. The build itself is CMake + Ninja in build/ (and build-asan/
# for the sanitizer run); this file only drives it.
BUILD      ?= build
ASAN_BUILD ?= build-asan
BENCH_BUILD ?= build-bench
FUZZ_BUILD ?= build-fuzz
JOBS       ?= $(shell nproc)
FUZZ_SECONDS ?= 20

DEB_PACKAGES = cmake ninja-build g++ clang libclang-rt-14-dev libgtest-dev libgmock-dev \
               libbenchmark-dev libinih-dev pkgconf libcpp-httplib-dev chromium
# The browser tests' node packages, installed from the committed lock file
# into the build folder, where the tests look for them.
WEB_TEST_DIR = $(BUILD)/web-test

.PHONY: all build deps test soak demo bench fuzz clean

all: build

deps:
	@missing=""; for p in $(DEB_PACKAGES); do \
	  dpkg-query -W -f='$${Status}' $$p 2>/dev/null | grep -q "install ok installed" || missing="$$missing $$p"; \
	done; \
	if [ -n "$$missing" ]; then \
	  echo "installing:$$missing"; \
	  SUDO=""; [ "$$(id -u)" = 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq $$missing >/dev/null; \
	fi
	@# A node that came with its own npm is kept; otherwise Debian's pair.
	@if ! command -v npm >/dev/null 2>&1; then \
	  echo "installing: nodejs npm"; \
	  SUDO=""; [ "$$(id -u)" = 0 ] || SUDO=sudo; \
	  $$SUDO apt-get update -qq && DEBIAN_FRONTEND=noninteractive $$SUDO apt-get install -y -qq nodejs npm >/dev/null; \
	fi
	@mkdir -p $(WEB_TEST_DIR)
	@if ! cmp -s tests/web/package-lock.json $(WEB_TEST_DIR)/package-lock.json || \
	    [ ! -d $(WEB_TEST_DIR)/node_modules/playwright-core ]; then \
	  echo "installing: playwright-core (npm, into $(WEB_TEST_DIR))"; \
	  cp tests/web/package.json tests/web/package-lock.json $(WEB_TEST_DIR)/ && \
	  cd $(WEB_TEST_DIR) && timeout 600 npm ci --no-audit --no-fund --loglevel=error; \
	fi

$(BUILD)/build.ninja:
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo

build: $(BUILD)/build.ninja
	cmake --build $(BUILD) -j $(JOBS)

test: deps
	cmake -S . -B $(BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
	cmake --build $(BUILD) -j $(JOBS)
	cd $(BUILD) && WIZ_REQUIRE_BROWSER=1 ctest -j $(JOBS) --output-on-failure
	cmake -S . -B $(ASAN_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Debug -DWIZ_SANITIZE=ON >/dev/null
	cmake --build $(ASAN_BUILD) -j $(JOBS)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 ctest -j $(JOBS) --output-on-failure

# Kill injection at length: every writing command killed at hundreds of
# random points (make test kills each a dozen times).
SOAK_KILLS ?= 300
soak: build
	cd $(BUILD) && WIZ_SOAK_KILLS=$(SOAK_KILLS) ./tests/test_app --gtest_filter='KillInjection.*'

demo: build
	@sh data/scripts/demo.sh $(BUILD)

bench: deps
	cmake -S . -B $(BENCH_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INTERPROCEDURAL_OPTIMIZATION=ON -DWIZ_BENCH=ON -DWIZ_TESTS=OFF >/dev/null
	cmake --build $(BENCH_BUILD) -j $(JOBS)
	@for b in $(BENCH_BUILD)/bench/bench_*; do echo "== $$b"; $$b || exit 1; done

fuzz: deps
	CXX=clang++ cmake -S . -B $(FUZZ_BUILD) -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DWIZ_FUZZ=ON -DWIZ_TESTS=OFF >/dev/null
	cmake --build $(FUZZ_BUILD) -j $(JOBS)
	@for f in $(FUZZ_BUILD)/fuzz/fuzz_*; do \
	  name=$$(basename $$f); mkdir -p $(FUZZ_BUILD)/corpus/$$name; \
	  seeds=""; [ -d fuzz/corpus/$$name ] && seeds=fuzz/corpus/$$name; \
	  echo "== $$name ($(FUZZ_SECONDS) s)"; \
	  $$f -max_total_time=$(FUZZ_SECONDS) -max_len=65536 -print_final_stats=0 $(FUZZ_BUILD)/corpus/$$name $$seeds 2>&1 | tail -n 3 || exit 1; \
	done

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(BENCH_BUILD) $(FUZZ_BUILD)
