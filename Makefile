# cgdemo: `make run` starts the program, `make test` runs every test.
# Both install what is missing, configure and build first: `make run` only what
# the program needs, `make test` everything.
BUILD ?= build
# Sanitizer, fuzzing and benchmark builds live beside the normal one.
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
BENCH_BUILD ?= build-bench
# The package is made from a build of the program alone.
DIST_BUILD ?= build-dist
# The Windows program, cross-built with mingw-w64.
WINDOWS_BUILD ?= build-windows
# The browser program and its page, built with Emscripten.
WEB_BUILD ?= build-web
# Address of `make web-serve`.
WEB_PORT ?= 8000
# Seconds each fuzz target runs: bounded in `make test`, longer in `make fuzz`.
FUZZ_TEST_SECONDS ?= 60
FUZZ_SECONDS ?= 1800

.PHONY: all deps build asan fuzz-build run test fuzz bench dist windows web web-dist web-serve
# A class roster (CSV) registered at build time: make ROSTER=path/class.csv, a
# path relative to this folder. Without it the table in the source is used.
ROSTER ?=
ROSTER_OPTION = "-DCGDEMO_ROSTER:FILEPATH=$(ROSTER)"
# Configures a build folder (tools/configure.sh remakes one copied from elsewhere).
CONFIGURE = tools/configure.sh
# The builds each use both cores already.
.NOTPARALLEL:

all: build

deps:
	@tools/install-deps.sh run test dist

# Everything: the programs and every test.
build: deps
	@$(CONFIGURE) $(BUILD) $(ROSTER_OPTION) -DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=ON -DCGDEMO_SHEET=ON >/dev/null
	@cmake --build $(BUILD) -j2

# Library, tests and cgdemo with AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@$(CONFIGURE) $(ASAN_BUILD) $(ROSTER_OPTION) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCGDEMO_SANITIZE=ON >/dev/null
	@cmake --build $(ASAN_BUILD) -j2

# The libFuzzer targets, built with clang and both sanitizers.
fuzz-build: deps
	@$(CONFIGURE) $(FUZZ_BUILD) $(ROSTER_OPTION) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCGDEMO_SANITIZE=ON -DCGDEMO_FUZZ=ON -DCGDEMO_TESTS=OFF -DCGDEMO_SHEET=OFF >/dev/null
	@cmake --build $(FUZZ_BUILD) -j2 --target fuzz_bitmap fuzz_student_id fuzz_roster

# The roster generator of a Windows build runs here: it is built natively, there.
ROSTER_HOST_BUILD = $(WINDOWS_BUILD)/roster-host
# cgdemo.exe, linked statically against a freeglut built once per build folder
# from Debian's freeglut source package.
windows:
	@tools/install-deps.sh run windows
	@tools/build-freeglut-windows.sh $(WINDOWS_BUILD)
	$(if $(ROSTER),@$(CONFIGURE) $(ROSTER_HOST_BUILD) -DCMAKE_BUILD_TYPE=Release \
		-DCGDEMO_TESTS=OFF -DCGDEMO_SHEET=OFF -DCGDEMO_ROSTER= >/dev/null)
	$(if $(ROSTER),@cmake --build $(ROSTER_HOST_BUILD) -j2 --target roster_table)
	@$(CONFIGURE) $(WINDOWS_BUILD) $(ROSTER_OPTION) \
		"-DCGDEMO_ROSTER_GENERATOR=$(if $(ROSTER),$(abspath $(ROSTER_HOST_BUILD))/roster_table)" \
		-DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=OFF \
		-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
		-DFreeGLUT_DIR=$(abspath $(WINDOWS_BUILD))/freeglut/install/lib/cmake/FreeGLUT >/dev/null
	@cmake --build $(WINDOWS_BUILD) -j2 --target cgdemo

# The browser build: index.html, cgdemo.js, cgdemo.wasm and japan.bmp in
# $(WEB_BUILD). No registered students: a page has no login name. Debian's emcc
# needs Debian's acorn, which a node installed otherwise finds only on NODE_PATH.
WEB_ENVIRONMENT = NODE_PATH=/usr/share/nodejs
web:
	@tools/install-deps.sh web
	@tools/web-font.sh $(WEB_BUILD)
	@$(WEB_ENVIRONMENT) $(CONFIGURE) $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=OFF \
		-DCMAKE_TOOLCHAIN_FILE=$$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake \
		-DCGDEMO_ROSTER= -DCGDEMO_WEB_FONT=$(abspath $(WEB_BUILD))/font/helvetica18.js >/dev/null
	@$(WEB_ENVIRONMENT) cmake --build $(WEB_BUILD) -j2 --target cgdemo

# dist/cgdemo-web.zip: the page's four files, index.html at the top, for a web server.
web-dist: web
	@mkdir -p dist
	@rm -f dist/cgdemo-web.zip
	@cd $(WEB_BUILD) && zip -q -X $(abspath dist)/cgdemo-web.zip index.html cgdemo.js cgdemo.wasm japan.bmp
	@echo "Wrote dist/cgdemo-web.zip"

# Serves the browser build on this machine only, until Ctrl+C.
web-serve: web
	@echo "Open http://127.0.0.1:$(WEB_PORT)/ in a web browser (Ctrl+C stops the server)"
	@python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD) $(WEB_PORT) >/dev/null

# Only what the program needs: no test tools, no tests built.
run:
	@tools/install-deps.sh run
	@$(CONFIGURE) $(BUILD) $(ROSTER_OPTION) -DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=OFF -DCGDEMO_SHEET=OFF >/dev/null
	@cmake --build $(BUILD) -j2 --target cgdemo
	@tools/run.sh $(BUILD)

# Every test of the normal build (the soak drives the sanitizer build's cgdemo,
# the package test the package, the wine test cgdemo.exe), then the unit and GL
# tests under the sanitizers, then each fuzz target briefly.
test: build asan fuzz-build windows dist web
	@CGDEMO_SANITIZED_BINARY=$(abspath $(ASAN_BUILD))/cgdemo \
		CGDEMO_WINDOWS_BINARY=$(abspath $(WINDOWS_BUILD))/cgdemo.exe \
		CGDEMO_WEB=$(abspath $(WEB_BUILD)) \
		tools/with-xvfb.sh ctest --test-dir $(BUILD) --output-on-failure --timeout 600
	@tools/sanitize-test.sh $(ASAN_BUILD)
	@tools/fuzz.sh $(FUZZ_BUILD) $(FUZZ_TEST_SECONDS)

fuzz: fuzz-build
	@tools/fuzz.sh $(FUZZ_BUILD) $(FUZZ_SECONDS)

# Start-up time, frame rates and peak memory of cgdemo in Xvfb, the browser
# build's beside them, and the time cgdemo-sheet takes for a class (not a test).
bench: build web
	@$(CONFIGURE) $(BENCH_BUILD) -S bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	@cmake --build $(BENCH_BUILD) -j2
	@tools/with-xvfb.sh python3 bench/run.py $(BUILD) $(BENCH_BUILD)
	@tools/with-xvfb.sh /usr/bin/python3 bench/web.py $(BUILD) $(BENCH_BUILD) $(WEB_BUILD)
	@python3 bench/sheet.py $(BUILD)

# dist/cgdemo_<version>_<arch>.deb, the Debian package, made by CPack, and
# dist/cgdemo-windows-x64.zip: cgdemo.exe, its texture and a README for Windows users.
dist: windows web-dist
	@tools/install-deps.sh run dist
	@$(CONFIGURE) $(DIST_BUILD) $(ROSTER_OPTION) -DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=OFF -DCGDEMO_SHEET=OFF >/dev/null
	@cmake --build $(DIST_BUILD) -j2
	@rm -rf $(DIST_BUILD)/packages
	@cd $(DIST_BUILD) && cpack -G DEB -B packages >/dev/null
	@mkdir -p dist
	@cp $(DIST_BUILD)/packages/*.deb dist/
	@echo "Wrote" dist/$$(cd $(DIST_BUILD)/packages && ls *.deb)
	@rm -f dist/cgdemo-windows-x64.zip
	@zip -q -j -X dist/cgdemo-windows-x64.zip $(WINDOWS_BUILD)/cgdemo.exe assets/japan.bmp
	@zip -q -j -X -l dist/cgdemo-windows-x64.zip packaging/windows/README.txt
	@echo "Wrote dist/cgdemo-windows-x64.zip"
