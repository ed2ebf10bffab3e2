# Velmoor: the two commands of the README, and a few more for developers.
#   make run    install what is missing, build, play
#   make test   install what is missing, build, run every test (normal and sanitizer builds)
#   make bench  build and run the benchmarks
#   make web    build the game for web browsers into build-web/site (make web-run serves it)

BUILD      ?= build
ASAN_BUILD ?= build-asan
FUZZ_BUILD ?= build-fuzz
WEB_BUILD  ?= build-web
WEB_PORT   ?= 8080
PREFIX     ?= /usr/local
ARGS       ?=
WERROR     := $(if $(CI),ON,OFF)
CTEST_JOBS ?= $(shell nproc)
# A compiler cache makes every build after the first (and every CI run) quick.
LAUNCHER   := $(if $(shell command -v ccache),-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache,)
# Paths inside the clone count relative to it, and the folder a compile runs in is left out of
# the cache key (it would be, with debug information), so a fresh clone hits the cache too.
export CCACHE_BASEDIR := $(CURDIR)
export CCACHE_NOHASHDIR := 1
# Debian's emscripten finds Debian's JavaScript modules (its optimizer's parser) only this way.
export NODE_PATH ?= /usr/share/nodejs

.PHONY: all deps configure build run test test-normal test-asan fuzz-smoke test-web bench web web-run install package clean

all: build

deps:
	@scripts/install-deps

$(BUILD)/build.ninja: | deps
	cmake -S . -B $(BUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELMOOR_WERROR=$(WERROR) -DCMAKE_INSTALL_PREFIX=$(PREFIX)

configure: deps $(BUILD)/build.ninja

build: configure
	cmake --build $(BUILD)

# Only the game and its data files: no test program, benchmark or developer tool.
run: configure
	cmake --build $(BUILD) --target velmoor
	./$(BUILD)/velmoor $(ARGS)

test: deps test-normal test-asan fuzz-smoke test-web

test-normal: configure
	cmake --build $(BUILD)
	cd $(BUILD) && ctest --output-on-failure -j $(CTEST_JOBS)

test-asan: deps
	cmake -S . -B $(ASAN_BUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=Debug -DVELMOOR_SANITIZE=ON -DVELMOOR_BENCH=OFF -DVELMOOR_WERROR=$(WERROR) -DCMAKE_CXX_FLAGS=-O1
	cmake --build $(ASAN_BUILD)
	cd $(ASAN_BUILD) && ASAN_OPTIONS=detect_leaks=1 LSAN_OPTIONS=suppressions=$(CURDIR)/scripts/lsan-suppressions.txt UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 ctest --output-on-failure -j $(CTEST_JOBS)

fuzz-smoke: deps
	cmake -S . -B $(FUZZ_BUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ -DVELMOOR_FUZZ=ON -DVELMOOR_TESTS=OFF -DVELMOOR_BENCH=OFF
	cmake --build $(FUZZ_BUILD)
	scripts/fuzz-smoke $(FUZZ_BUILD)

# The web build takes its data files from the desktop build's asset builders, and SDL2 and
# FreeType for WebAssembly from scripts/build-web-deps (built once, then kept).
web: configure
	cmake --build $(BUILD) --target velmoor velmoor_web_music
	emcmake cmake -S . -B $(WEB_BUILD) -G Ninja $(LAUNCHER) -DCMAKE_BUILD_TYPE=Release -DVELMOOR_WERROR=$(WERROR) \
	  -DVELMOOR_HOST_BUILD=$(abspath $(BUILD)) \
	  $$(scripts/build-web-deps | sed -e 's/^sdl2=/-DVELMOOR_WEB_SDL2=/' -e 's/^freetype=/-DVELMOOR_WEB_FREETYPE=/')
	cmake --build $(WEB_BUILD)

# The web build in headless Chromium against the desktop build: traces, pictures, files.
test-web: web
	scripts/test-web $(BUILD) $(WEB_BUILD)/site

web-run: web
	scripts/serve-web $(WEB_BUILD)/site $(WEB_PORT)

bench: configure
	cmake --build $(BUILD) --target velmoor velmoor_bench
	scripts/bench-table $(BUILD)

# A Debian package of the game, installed under /usr: build-package/velmoor_*.deb
package: deps
	cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_INSTALL_PREFIX=/usr -DVELMOOR_TESTS=OFF -DVELMOOR_BENCH=OFF -DVELMOOR_WERROR=$(WERROR)
	cmake --build build-package
	cd build-package && cpack -G DEB

install: build
	cmake --install $(BUILD) --prefix $(PREFIX)

clean:
	rm -rf $(BUILD) $(ASAN_BUILD) $(FUZZ_BUILD) $(WEB_BUILD) build-package
