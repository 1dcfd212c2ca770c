# cgdemo: `make run` starts the program, `make test` runs every test.
# Both install what is missing, configure and build first.
BUILD ?= build

.PHONY: all deps build run test

all: build

deps:
	@tools/install-deps.sh

build: deps
	@cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BUILD) -j2

run: build
	@tools/run.sh $(BUILD)

test: build
	@tools/with-xvfb.sh ctest --test-dir $(BUILD) --output-on-failure --timeout 600
