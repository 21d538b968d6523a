# Vexar: the two commands of the quick start, plus build helpers.
BUILD ?= build
JOBS  ?= $(shell nproc)

.PHONY: run test build game deps deps-tests clean test-tsan test-asan bless-golden install uninstall bench \
        windows test-windows docs-pictures web-deps web serve-web test-web

# What playing and installing need: the game, vexar-tool, the media and the icons.
GAME_TARGETS = vexar vexar-tool vexar_media vexar_icons

# The game's packages only; the tests add theirs.
deps:
	@scripts/install-deps

deps-tests:
	@scripts/install-deps --tests

# A build folder made for the game alone leaves the tests out, so it needs
# none of their packages; one that a test build made keeps them (only the
# game's targets are built here either way).
configure-game = cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release \
                 $(if $(wildcard $(BUILD)/CMakeCache.txt),,-DBUILD_TESTING=OFF)

game: deps
	$(configure-game)
	cmake --build $(BUILD) -j $(JOBS) --target $(GAME_TARGETS)

# Closing the launcher ends the game with status 255 (a start-up that fails
# says why itself): that is no failure of make's.
run: game
	./$(BUILD)/vexar || [ $$? -eq 255 ]

# Everything: the game, the tests, the fuzz targets' regression runs; beside
# it, in $(BUILD)-gles2, the game and vexar-tool with the OpenGL ES 2 renderer
# and what their tests need (the golden runs, its pictures against this
# build's, the launcher's picture).
GLES2_BUILD = $(BUILD)-gles2
configure-gles2 = cmake -S . -B $(GLES2_BUILD) -DCMAKE_BUILD_TYPE=Release -DVEXAR_RENDERER=gles2
build: deps-tests
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
	cmake --build $(BUILD) -j $(JOBS)
	$(configure-gles2) -DBUILD_TESTING=ON -DVEXAR_REFERENCE_TOOL=$(CURDIR)/$(BUILD)/vexar-tool
	cmake --build $(GLES2_BUILD) -j $(JOBS) --target vexar vexar-tool vexar_media grab_window send_close_request

# The whole suite. Without an X display the tests run under Xvfb, so the
# OpenGL and window tests get a real (Mesa) context either way.
test: build
	scripts/with-display ctest --test-dir $(BUILD) --output-on-failure -j $(JOBS)
	scripts/with-display ctest --test-dir $(GLES2_BUILD) -L 'gles2|golden|build' --output-on-failure -j $(JOBS)
	$(MAKE) --no-print-directory test-tsan

# The audio and music threads and the frame loop beside them under
# ThreadSanitizer, in a build of their own.
test-tsan: deps-tests
	cmake -S . -B $(BUILD)-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXAR_SANITIZE=thread
	cmake --build $(BUILD)-tsan -j $(JOBS) --target tsan_tests
	TSAN_OPTIONS=suppressions=$(CURDIR)/tests/tsan.supp \
	  scripts/with-display ctest --test-dir $(BUILD)-tsan -L tsan --output-on-failure

# Everything under AddressSanitizer and UndefinedBehaviorSanitizer.
test-asan: deps-tests
	cmake -S . -B $(BUILD)-asan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVEXAR_SANITIZE=address
	cmake --build $(BUILD)-asan -j $(JOBS)
	LSAN_OPTIONS=suppressions=$(CURDIR)/tests/lsan.supp:print_suppressions=0 \
	  scripts/with-display ctest --test-dir $(BUILD)-asan --output-on-failure

# Every benchmark in one table, each row the median of three runs, written to
# docs/benchmarks.md as well (about ten minutes).
bench: build
	tools/bench/bench_table.sh $(BUILD) | tee docs/benchmarks.md

# The README's pictures made again from the built game (scripts/docs-pictures).
docs-pictures: build
	scripts/docs-pictures $(BUILD) docs

# Takes the game's current behaviour as the golden runs' expected state. Only
# after a change of behaviour that is meant; the diff shows what changed.
bless-golden: build
	cmake --build $(BUILD) --target bless-golden

# Installs the game below PREFIX (DESTDIR is put in front of every path, for
# packagers): PREFIX/lib/games/vexar holds the game and a link to its media
# in PREFIX/share/games/vexar, PREFIX/games/vexar starts it (see README).
PREFIX ?= /usr/local
install: deps
	$(configure-game) -DCMAKE_INSTALL_PREFIX=$(PREFIX)
	cmake --build $(BUILD) -j $(JOBS) --target $(GAME_TARGETS)
	DESTDIR="$(DESTDIR)" cmake --install $(BUILD)

# Removes what the last install put in place (build/install_manifest.txt),
# and the folders it made that are left empty; give the same DESTDIR as to
# the install.
uninstall:
	DESTDIR="$(DESTDIR)" cmake --build $(BUILD) --target uninstall

# Windows, cross-built here: the mingw-w64 compilers, Wine and NSIS from
# Debian, the libraries built once from Debian's sources and cached (see
# scripts/windows-deps), then the game, dist/vexar-VERSION-win64.zip and
# dist/vexar-VERSION-setup.exe.
WINBUILD ?= $(BUILD)-win
windows: deps
	$(configure-game)
	cmake --build $(BUILD) -j $(JOBS) --target vexar-mediagen
	scripts/windows-build $(BUILD) $(WINBUILD)

# The Windows build's tests under Wine, in a private Xvfb and a fresh Wine
# prefix: the test programs, the golden runs and the installer end to end.
test-windows: windows deps-tests
	cmake -S . -B $(BUILD) -DCMAKE_BUILD_TYPE=Release -DBUILD_TESTING=ON
	cmake --build $(BUILD) -j $(JOBS) --target send_close_request grab_window vexar-tool vexar_media
	scripts/test-windows $(WINBUILD)

# The web build: Debian's emscripten and chromium, playwright-core from npm,
# the libraries built once from Debian's sources and cached (see
# scripts/web-deps), in a build folder of its own.
WEBBUILD ?= $(BUILD)-web
web-deps:
	@scripts/web-deps >/dev/null

# The web build's folder: the page's media come from this machine's
# generator, as for Windows, and its SoundFont is cut by this machine's
# vexar-tool.
configure-web = NODE_PATH=/usr/share/nodejs emcmake cmake -S . -B $(WEBBUILD) -DCMAKE_BUILD_TYPE=Release \
  -DVEXAR_WEB_PREFIX=$$(scripts/web-deps 2>/dev/null | tail -n1) \
  -DVEXAR_HOST_MEDIAGEN=$(CURDIR)/$(BUILD)/vexar-mediagen
build-web = NODE_PATH=/usr/share/nodejs cmake --build $(WEBBUILD) -j $(JOBS) --target

# The page: dist/vexar-web/ (index.html, the game as JavaScript and
# WebAssembly, its media packed, the licences) and the same zipped as
# dist/vexar-web-VERSION.zip. Any static web server can host the folder.
web: web-deps deps
	$(configure-game)
	cmake --build $(BUILD) -j $(JOBS) --target vexar-mediagen vexar-tool
	$(configure-web) $(if $(wildcard $(WEBBUILD)/CMakeCache.txt),,-DBUILD_TESTING=OFF)
	$(build-web) vexar_web_page

# The page served on this machine alone, by python3's own static server.
WEBPORT ?= 8000
serve-web: web
	@echo "Vexar in the browser: http://127.0.0.1:$(WEBPORT)/ (Ctrl+C ends the serving)"
	python3 -m http.server $(WEBPORT) --bind 127.0.0.1 --directory dist/vexar-web

# Every web test: the web platform files' own, under node and in headless
# Chromium, then the page in Chromium beside this machine's game (its
# vexar-tool with OpenGL 1.1 and, in $(GLES2_BUILD), with ES 2).
test-web: web-deps deps
	$(configure-game)
	cmake --build $(BUILD) -j $(JOBS) --target vexar-mediagen vexar-tool vexar_media
	$(configure-gles2) $(if $(wildcard $(GLES2_BUILD)/CMakeCache.txt),,-DBUILD_TESTING=OFF)
	cmake --build $(GLES2_BUILD) -j $(JOBS) --target vexar-tool
	$(configure-web) -DBUILD_TESTING=ON -DVEXAR_HOST_TOOL=$(CURDIR)/$(BUILD)/vexar-tool \
	  -DVEXAR_HOST_GLES2_TOOL=$(CURDIR)/$(GLES2_BUILD)/vexar-tool
	$(build-web) test_web vexar_web_page
	ctest --test-dir $(WEBBUILD) -L web --output-on-failure

clean:
	rm -rf $(BUILD) $(BUILD)-gles2 $(BUILD)-tsan $(BUILD)-asan $(WINBUILD) $(WEBBUILD)
