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
# What `make dist` writes.
DIST ?= dist
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
# Builds a configured folder, without make's own lines around a failure.
BUILD_IN = tools/build.sh
# No "Entering/Leaving directory" lines, here or in the builds' own makes.
MAKEFLAGS += --no-print-directory
# The builds each use both cores already.
.NOTPARALLEL:

all: build

deps:
	@tools/install-deps.sh run test dist

# Everything: the programs and every test.
build: deps
	@$(CONFIGURE) $(BUILD) $(ROSTER_OPTION) -DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=ON -DCGDEMO_SHEET=ON >/dev/null
	@$(BUILD_IN) $(BUILD)

# Library, tests and cgdemo with AddressSanitizer and UndefinedBehaviorSanitizer.
asan: deps
	@$(CONFIGURE) $(ASAN_BUILD) $(ROSTER_OPTION) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCGDEMO_SANITIZE=ON >/dev/null
	@$(BUILD_IN) $(ASAN_BUILD)

# The libFuzzer targets, built with clang and both sanitizers (the report
# checker's readers come with the sheet).
fuzz-build: deps
	@$(CONFIGURE) $(FUZZ_BUILD) $(ROSTER_OPTION) -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
		-DCGDEMO_SANITIZE=ON -DCGDEMO_FUZZ=ON -DCGDEMO_TESTS=OFF -DCGDEMO_SHEET=ON -DCGDEMO_CHECK=ON >/dev/null
	@$(BUILD_IN) $(FUZZ_BUILD) --target fuzz_bitmap fuzz_student_id fuzz_roster fuzz_picture fuzz_report

# The roster generator of a Windows build runs here: it is built natively, there.
ROSTER_HOST_BUILD = $(WINDOWS_BUILD)/roster-host
# cgdemo.exe with the class roster $(1) (none when empty), linked statically
# against a freeglut built once per build folder from Debian's freeglut source package.
define WINDOWS_PROGRAM
@tools/install-deps.sh run windows
@tools/build-freeglut-windows.sh $(WINDOWS_BUILD)
$(if $(1),@$(CONFIGURE) $(ROSTER_HOST_BUILD) -DCMAKE_BUILD_TYPE=Release \
	-DCGDEMO_TESTS=OFF -DCGDEMO_SHEET=OFF -DCGDEMO_ROSTER= >/dev/null)
$(if $(1),@$(BUILD_IN) $(ROSTER_HOST_BUILD) --target roster_table)
@$(CONFIGURE) $(WINDOWS_BUILD) "-DCGDEMO_ROSTER:FILEPATH=$(1)" \
	"-DCGDEMO_ROSTER_GENERATOR=$(if $(1),$(abspath $(ROSTER_HOST_BUILD))/roster_table)" \
	-DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=OFF \
	-DCMAKE_TOOLCHAIN_FILE=$(CURDIR)/cmake/mingw-w64-x86_64.cmake \
	-DFreeGLUT_DIR=$(abspath $(WINDOWS_BUILD))/freeglut/install/lib/cmake/FreeGLUT >/dev/null
@$(BUILD_IN) $(WINDOWS_BUILD) --target cgdemo
endef

windows:
	$(call WINDOWS_PROGRAM,$(ROSTER))

# The browser build: index.html, cgdemo.js, cgdemo.wasm and japan.bmp in
# $(WEB_BUILD) for a web server, and $(WEB_BUILD)/single-file/cgdemo.html, all of
# it in one page that also opens as a file. No registered students: a page has
# no login name. Debian's emcc needs Debian's acorn, which a node installed
# otherwise finds only on NODE_PATH.
WEB_ENVIRONMENT = NODE_PATH=/usr/share/nodejs
web:
	@tools/install-deps.sh web
	@tools/web-font.sh $(WEB_BUILD)
	@$(WEB_ENVIRONMENT) $(CONFIGURE) $(WEB_BUILD) -DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=OFF \
		-DCMAKE_TOOLCHAIN_FILE=$$(em-config EMSCRIPTEN_ROOT)/cmake/Modules/Platform/Emscripten.cmake \
		-DCGDEMO_ROSTER= -DCGDEMO_WEB_FONT=$(abspath $(WEB_BUILD))/font/helvetica18.js >/dev/null
	@$(WEB_ENVIRONMENT) $(BUILD_IN) $(WEB_BUILD) --target cgdemo cgdemo_single_file

# dist/cgdemo.html, the single-file page, and dist/cgdemo-web.zip: at its top
# the page's four files for a web server, cgdemo.html and a README.
web-dist: web
	@mkdir -p $(DIST)
	@cp $(WEB_BUILD)/single-file/cgdemo.html $(DIST)/cgdemo.html
	@echo "Wrote $(DIST)/cgdemo.html"
	@rm -f $(DIST)/cgdemo-web.zip
	@cd $(WEB_BUILD) && zip -q -X $(abspath $(DIST))/cgdemo-web.zip index.html cgdemo.js cgdemo.wasm japan.bmp
	@zip -q -j -X $(DIST)/cgdemo-web.zip $(DIST)/cgdemo.html packaging/web/README.txt
	@echo "Wrote $(DIST)/cgdemo-web.zip"

# Serves the browser build on this machine only, until Ctrl+C.
web-serve: web
	@echo "Open http://127.0.0.1:$(WEB_PORT)/ in a web browser (Ctrl+C stops the server)"
	@python3 -m http.server --bind 127.0.0.1 --directory $(WEB_BUILD) $(WEB_PORT) >/dev/null

# Only what the program needs: no test tools, no tests built.
run:
	@tools/install-deps.sh run
	@$(CONFIGURE) $(BUILD) $(ROSTER_OPTION) -DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=OFF -DCGDEMO_SHEET=OFF >/dev/null
	@$(BUILD_IN) $(BUILD) --target cgdemo
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
# build's beside them, the times cgdemo-sheet and cgdemo-check take for a class
# (the checker's reports are made with Debian's python3 packages), and how the
# status-line reader reads degraded frames (not a test).
bench: build web
	@$(CONFIGURE) $(BENCH_BUILD) -S bench -DCMAKE_BUILD_TYPE=Release >/dev/null
	@$(BUILD_IN) $(BENCH_BUILD)
	@tools/with-xvfb.sh python3 bench/run.py $(BUILD) $(BENCH_BUILD)
	@tools/with-xvfb.sh /usr/bin/python3 bench/web.py $(BUILD) $(BENCH_BUILD) $(WEB_BUILD)
	@python3 bench/sheet.py $(BUILD)
	@/usr/bin/python3 bench/check.py $(BUILD)
	@$(BUILD_IN) $(BUILD) --target reader_sweep
	@tools/with-xvfb.sh $(abspath $(BUILD))/tests/reader_sweep 4 1

# The dist/ files of a roster build carry the roster's name, and a build
# without a roster never writes over them. The students' zip is always built
# without a roster: it goes to everyone's own computer, and a roster build holds
# every ID and login name in readable form; the roster's Windows program is the
# lab zip. Each file is named as it is written.
#   dist/cgdemo_<version>_<arch>.deb: the Debian package, made by CPack; with a
#     roster its version is 1.0.0+roster.<UTC build time>.<roster name>, so
#     that it replaces any earlier one (the older package of that roster goes)
#   dist/cgdemo-windows-x64.zip: cgdemo.exe, its texture and the students' guide as README.txt
#   dist/cgdemo-windows-x64-lab-<roster name>.zip: the same with the roster
#   dist/cgdemo-web.zip: the browser build's page (never with a roster)
#   dist/cgdemo.html: the browser build in one page (never with a roster)
dist: web-dist
	@tools/install-deps.sh run dist
	$(call WINDOWS_PROGRAM,)
	@mkdir -p $(DIST)
	@$(call WINDOWS_ZIP,$(DIST)/cgdemo-windows-x64.zip)
	@echo "Wrote $(DIST)/cgdemo-windows-x64.zip (without a roster: for everyone)"
	$(if $(ROSTER),$(call WINDOWS_PROGRAM,$(ROSTER)))
	$(if $(ROSTER),@$(call WINDOWS_ZIP,$(DIST)/cgdemo-windows-x64-lab-$(call ROSTER_NAME,$(WINDOWS_BUILD)).zip))
	$(if $(ROSTER),@echo "Wrote $(DIST)/cgdemo-windows-x64-lab-$(call ROSTER_NAME,$(WINDOWS_BUILD)).zip ($(call ROSTER_SUMMARY,$(WINDOWS_BUILD)))")
	@$(CONFIGURE) $(DIST_BUILD) $(ROSTER_OPTION) -DCMAKE_BUILD_TYPE=Release -DCGDEMO_TESTS=OFF -DCGDEMO_SHEET=OFF >/dev/null
	@$(BUILD_IN) $(DIST_BUILD)
	@rm -rf $(DIST_BUILD)/packages
	@cd $(DIST_BUILD) && { cpack -G DEB -B packages >cpack.log 2>&1 || { cat cpack.log >&2; exit 1; }; }
	$(if $(ROSTER),@rm -f $(DIST)/cgdemo_*+roster.$(STAMP_PATTERN).$(call ROSTER_NAME,$(DIST_BUILD))_*.deb)
	@cp $(DIST_BUILD)/packages/*.deb $(DIST)/
	@echo "Wrote" $(DIST)/$$(cd $(DIST_BUILD)/packages && ls *.deb) $(if $(ROSTER),"($(call ROSTER_SUMMARY,$(DIST_BUILD)))")

# Zips cgdemo.exe of the Windows build, its texture and the students' guide as
# README.txt (Windows line ends) as $(1).
WINDOWS_ZIP = rm -f $(1) && zip -q -j -X $(1) $(WINDOWS_BUILD)/cgdemo.exe assets/japan.bmp && \
	cp docs/students.md $(WINDOWS_BUILD)/README.txt && zip -q -j -X -l $(1) $(WINDOWS_BUILD)/README.txt
# The roster's name in file names, as the roster build in folder $(1) made it.
ROSTER_NAME = $$(sed -n 's/^CGDEMO_ROSTER_NAME:INTERNAL=//p' $(1)/CMakeCache.txt)
# "roster FILE, N students" for the roster build in folder $(1): one table line a student.
ROSTER_SUMMARY = roster $(ROSTER), $$(grep -c '^    {' $(1)/generated/registered_students.cpp) students
# The UTC build time in a roster package's version: 14 digits.
STAMP_PATTERN = $(subst d,[0-9],dddddddddddddd)
