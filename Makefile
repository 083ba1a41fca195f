# Front door: make (build), make run, make test, make bench, make install, make deb, make fuzz.
BUILD   ?= build
PREFIX  ?= /usr/local
DESTDIR ?=
JOBS    ?= 2
DEBDIR  ?= $(BUILD)-deb
# make install COMPONENT=library (and make uninstall with it) builds and installs the astronomy
# library alone in place of the program: its headers, archive, pkg-config file and CMake package;
# it needs no X libraries.
COMPONENT ?=

.PHONY: all build run test bench install uninstall deb clean fuzz

all: build

# The suite is configured when its packages are here (make test installs them), built by make test.
# CMake keeps the compiler a build folder was first configured with: a CXX given to make that is
# not that one stops here rather than be silently ignored.
build:
	@tools/install-deps $(if $(filter library,$(COMPONENT)),library,build)
	@if [ "$(origin CXX)" != default ] && [ -f $(BUILD)/CMakeCache.txt ]; then \
	  configured=$$(sed -n 's/^CMAKE_CXX_COMPILER:[A-Z]*=//p' $(BUILD)/CMakeCache.txt); \
	  wanted=$$(command -v "$(CXX)" || echo "$(CXX)"); \
	  [ "$$(realpath -- "$$configured")" = "$$(realpath -- "$$wanted")" ] || { \
	    echo "$(BUILD) builds with $$configured, not $(CXX): make BUILD=build-other CXX=$(CXX)" \
	      "builds with it in a folder of its own" >&2; exit 1; }; fi
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DDOCKORRERY_TESTS=AUTO >/dev/null
	@cmake --build $(BUILD) -j $(JOBS) --target $(if $(filter library,$(COMPONENT)),dockorrery_astronomy,dockorrery)

# On a display of yours it needs nothing more; without one, tools/run-applet installs what it
# needs for a virtual one.
run: build
	@tools/run-applet $(BUILD)/dockorrery

# The whole suite twice, each build with warnings as errors: with GCC and Debian's build flags
# (dpkg-buildflags) on the Release build, then with Clang on a build of everything (the program
# the tests start included) under AddressSanitizer, LeakSanitizer and UndefinedBehaviorSanitizer,
# so that every run covers both compilers. The first failing run stops here. The package test,
# which builds the Debian package and runs its autopkgtest (installing it on this machine, and
# removing it again unless it was installed before), runs once, in the first run. Each run has
# a build folder of its own, $(BUILD)-test and $(BUILD)-clang-asan, so that the flags of the
# suite never stay behind in $(BUILD) for a later plain make.
test:
	@tools/install-deps build test sanitized deb debtest
	@cmake -S . -B $(BUILD)-test -DCMAKE_BUILD_TYPE=Release -DDOCKORRERY_TESTS=REQUIRED \
	  -DDOCKORRERY_PACKAGE_TEST=ON -DDOCKORRERY_WERROR=ON \
	  -DCMAKE_CXX_FLAGS="$$(dpkg-buildflags --get CPPFLAGS) $$(dpkg-buildflags --get CXXFLAGS)" \
	  -DCMAKE_EXE_LINKER_FLAGS="$$(dpkg-buildflags --get LDFLAGS)" >/dev/null
	@cmake --build $(BUILD)-test -j $(JOBS)
	@cd $(BUILD)-test && ctest --output-on-failure -j $(JOBS)
	@cmake -S . -B $(BUILD)-clang-asan -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DDOCKORRERY_SANITIZE=ON -DDOCKORRERY_TESTS=REQUIRED -DDOCKORRERY_PACKAGE_TEST=OFF \
	  -DDOCKORRERY_WERROR=ON >/dev/null
	@cmake --build $(BUILD)-clang-asan -j $(JOBS)
	@cd $(BUILD)-clang-asan && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD)-*

# The performance table (the running applet beside the floors of its design, the frame's
# ephemeris cost, the astronomy library beside libnova), in its own Release build: about five
# minutes, most of it the applet's warm-up and its CPU windows. The accuracy of the abridged
# series is a test of the suite. BENCH_ARGS go to the bench program: make bench
# BENCH_ARGS=--library-only times the library's rows alone, in about a minute.
bench:
	@tools/install-deps build bench
	@cmake -S . -B $(BUILD)-bench -DCMAKE_BUILD_TYPE=Release -DDOCKORRERY_BENCH=ON -DDOCKORRERY_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-bench -j $(JOBS) --target dockorrery_bench
	@$(BUILD)-bench/bench/dockorrery_bench $(BENCH_ARGS)

# The program and its manual page under $(DESTDIR)$(PREFIX), by the build's install rules, which
# list what they installed (without DESTDIR) in $(BUILD)/install_manifest.txt; uninstall, with
# the same DESTDIR, removes exactly those files and nothing else.
install: build
	@DESTDIR="$(DESTDIR)" cmake --install $(BUILD) --prefix "$(PREFIX)" \
	  $(if $(COMPONENT),--component $(COMPONENT))

uninstall: MANIFEST = $(BUILD)/install_manifest$(if $(COMPONENT),_$(COMPONENT)).txt
uninstall:
	@test -f $(MANIFEST) || { echo "nothing installed from $(BUILD)" >&2; exit 1; }
	@awk 1 $(MANIFEST) | while IFS= read -r file; do \
	  echo "-- Removing: $(DESTDIR)$$file"; rm -f -- "$(DESTDIR)$$file"; done

# The Debian package, dockorrery_*.deb with its .changes and .buildinfo, in $(DEBDIR), built from
# a copy of the tree (dpkg-buildpackage writes beside the tree it builds) without its test suite:
# make test runs that. Beside it, dockorrery-dbgsym_*.deb holds the program's debugging symbols
# and libdockorrery-astronomy-dev_*.deb the astronomy library for programmers.
# lintian then says what it finds, nothing when all is well.
deb:
	@tools/install-deps build deb
	@rm -rf $(DEBDIR)/src $(DEBDIR)/dockorrery_* $(DEBDIR)/libdockorrery-astronomy-dev_* && mkdir -p $(DEBDIR)/src
	@tar -cf - --exclude-vcs --exclude='./build*' --exclude='./obj-*' --exclude=node_modules \
	  --exclude=__pycache__ . | tar -xf - -C $(DEBDIR)/src
	@cd $(DEBDIR)/src && DEB_BUILD_OPTIONS="nocheck parallel=$(JOBS)" DEB_BUILD_PROFILES=nocheck \
	  dpkg-buildpackage -us -uc -b >../build.log 2>&1 || { tail -n 40 ../build.log; exit 1; }
	@rm -rf $(DEBDIR)/src
	@lintian --pedantic -E -I --allow-root $(DEBDIR)/dockorrery_*.changes
	@ls $(DEBDIR)/dockorrery_*.deb $(DEBDIR)/libdockorrery-astronomy-dev_*.deb

# The fuzzer of the Minor Planet Center's line readers (libFuzzer, ASan, UBSan), built with Clang
# in $(BUILD)-fuzz and run from tests/fuzz/corpus for FUZZ_RUNS inputs (about ten seconds): a
# bounded amount of work, the same on every machine. What it finds new goes to a fresh
# $(BUILD)-fuzz/corpus, never into the committed corpus; a crash or a broken promise stops it
# and leaves its input in $(BUILD)-fuzz. In that folder, ctest runs the committed corpus alone.
FUZZ_RUNS ?= 1000000
fuzz:
	@tools/install-deps library fuzz
	@cmake -S . -B $(BUILD)-fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
	  -DDOCKORRERY_FUZZ=ON -DDOCKORRERY_TESTS=OFF >/dev/null
	@cmake --build $(BUILD)-fuzz -j $(JOBS) --target mpc_lines_fuzzer
	@rm -rf $(BUILD)-fuzz/corpus && mkdir -p $(BUILD)-fuzz/corpus
	@$(BUILD)-fuzz/tests/fuzz/mpc_lines_fuzzer -runs=$(FUZZ_RUNS) -seed=1 -max_len=400 \
	  -artifact_prefix=$(BUILD)-fuzz/ $(BUILD)-fuzz/corpus tests/fuzz/corpus
