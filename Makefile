# The two commands of the README:
#   make run    build and start the screen saver under Wine (on $DISPLAY, or a private Xvfb)
#   make test   build everything and run every test; ends with one summary line
# Each first installs its Debian packages (idempotently).

JOBS ?= $(shell nproc)
HOST_BUILD := build/host
VERSION := ${shell sed -n 's/^project(Zirel VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt}
WIN_BUILD := build/win

.PHONY: all run test bench sanitizers screenshots preview-art deps-run deps-test deps-package \
  deps-linux host win dist art clean package check-reproducible zirel run-linux install-linux \
  references

all: host win

deps-run:
	@scripts/install-deps.sh run

deps-test:
	@scripts/install-deps.sh test

deps-package:
	@scripts/install-deps.sh package

$(HOST_BUILD)/CMakeCache.txt:
	cmake -S . -B $(HOST_BUILD) -DCMAKE_BUILD_TYPE=RelWithDebInfo

$(WIN_BUILD)/CMakeCache.txt:
	cmake -S . -B $(WIN_BUILD) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64-x86_64.cmake \
	  -DCMAKE_BUILD_TYPE=Release

# The host tests again under AddressSanitizer and under UndefinedBehaviorSanitizer.
build/asan/CMakeCache.txt:
	cmake -S . -B build/asan -DCMAKE_BUILD_TYPE=Debug -DZIREL_SANITIZE=address

build/ubsan/CMakeCache.txt:
	cmake -S . -B build/ubsan -DCMAKE_BUILD_TYPE=Debug -DZIREL_SANITIZE=undefined

sanitizers: build/asan/CMakeCache.txt build/ubsan/CMakeCache.txt
	cmake --build build/asan -j $(JOBS)
	cmake --build build/ubsan -j $(JOBS)

host: $(HOST_BUILD)/CMakeCache.txt
	cmake --build $(HOST_BUILD) -j $(JOBS)

win: $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS)

# Only the shipped programs, into dist/.
dist: $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS) --target zirel_renderer zirel_launcher

# The release files, named by the project's version, and their checksums: dist/SHA256SUMS over
# Zirel-<version>-setup.exe, Zirel-<version>-win64.zip (the two programs and a read-me) and
# zirel_<version>-1_<arch>.deb (Debian's package of zirel). Two builds of one commit give the same
# bytes; make check-reproducible builds twice and compares.
package: deps-package $(WIN_BUILD)/CMakeCache.txt
	cmake --build $(WIN_BUILD) -j $(JOBS) --target zirel_package
	scripts/package-deb.sh dist
	cd dist && sha256sum Zirel-$(VERSION)-setup.exe Zirel-$(VERSION)-win64.zip \
	  zirel_$(VERSION)-1_$$(dpkg --print-architecture).deb >SHA256SUMS

check-reproducible: deps-package
	@scripts/check-reproducible.sh

run: deps-run dist
	@scripts/run-saver.sh

test: deps-test
	@$(MAKE) --no-print-directory host win sanitizers
	@scripts/package-deb.sh >build/package-deb.log 2>&1 || \
	  { tail -n 20 build/package-deb.log; exit 1; }
	@scripts/run-tests.sh

# Redraws the committed artwork from code.
art: $(HOST_BUILD)/CMakeCache.txt
	cmake --build $(HOST_BUILD) --target zirel_art

# Redraws the preview picture (art/preview.jpg) from a screenshot of the renderer.
preview-art: deps-run dist
	scripts/make-preview.sh

# The README's pictures: the running saver (docs/saver.png, after 20 s of animation) and the
# settings dialog in Japanese and in English (docs/settings-dialog*.png, taken by its Windows-side
# rows in each language).
screenshots: deps-test
	@$(MAKE) --no-print-directory win
	ZIREL_RUN_SECONDS=20 ZIREL_RUN_SCREENSHOT=$(CURDIR)/docs/saver.png scripts/run-saver.sh
	ZIREL_ARTIFACTS_DIR=$(CURDIR)/build/screenshots tests/wine/run.sh --gtest_filter='*InEachLanguage*'
	cp build/screenshots/settings-dialog-ja2.png docs/settings-dialog.png
	cp build/screenshots/settings-dialog-en2.png docs/settings-dialog-en.png

# Renews the reference pictures that the Windows-side rows compare the settings dialog and the
# preview with, from this build. Only on purpose: commit them with a line that says why.
references: deps-test
	@$(MAKE) --no-print-directory win
	ZIREL_RENEW_REFERENCES=1 tests/wine/run.sh --gtest_filter='*InEachLanguage*:*PreviewShows*'

clean:
	rm -rf build dist

# Speed, start-up, ending and memory, measured side by side; writes build/bench/results.md.
bench: deps-test
	@$(MAKE) --no-print-directory host win
	@scripts/bench.sh

# zirel, the native X11 display mode: in a window of its own (on $DISPLAY, or a private Xvfb for a
# screenshot), and installed where Debian's XScreenSaver looks for display modes and their
# settings descriptions. PREFIX=/usr is Debian's own; DESTDIR stages the files elsewhere.
PREFIX ?= /usr
DESTDIR ?=


deps-linux:
	@scripts/install-deps.sh linux

zirel: deps-linux $(HOST_BUILD)/CMakeCache.txt
	cmake --build $(HOST_BUILD) -j $(JOBS) --target zirel

run-linux: zirel
	@scripts/run-linux.sh

install-linux: zirel
	DESTDIR=$(DESTDIR) cmake --install $(HOST_BUILD) --prefix $(PREFIX)
