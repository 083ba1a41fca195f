# Front door: make (build), make run, make test, make bench, make install.
BUILD   ?= build
PREFIX  ?= /usr/local
DESTDIR ?=
JOBS    ?= 2

.PHONY: all build run test bench install uninstall clean

all: build

build:
	@tools/install-deps build
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)

run: build
	@tools/install-deps run
	@tools/run-applet $(BUILD)/dockorrery

test:
	@tools/install-deps build test
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j $(JOBS)
	@cd $(BUILD) && ctest --output-on-failure -j $(JOBS)

clean:
	rm -rf $(BUILD) $(BUILD)-*
