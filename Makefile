# Pisarion: the two commands a fresh machine needs are `make run` and `make test`.
SHELL := /bin/bash
JOBS ?= $(shell nproc)
NATIVE := build/native
WIN := build/win
SUDO := $(shell [ "$$(id -u)" = 0 ] || echo sudo)

APT_PACKAGES := cmake g++ make libgtest-dev libgmock-dev googletest libbenchmark-dev \
  g++-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 wine wine64 \
  xvfb xauth x11-utils imagemagick locales libfreetype-dev fonts-dejavu-core \
  clang libclang-rt-14-dev zlib1g-dev libz-mingw-w64-dev unzip libssl-dev

.PHONY: all deps native win test test-native test-win run bench skin-sheet clean

all: native win

# Installs only what is missing; idempotent.
deps:
	@missing=$$(for p in $(APT_PACKAGES); do dpkg-query -W -f='$${Status}\n' $$p 2>/dev/null | grep -q '^install ok installed' || echo $$p; done); \
	if [ -n "$$missing" ]; then \
	  echo "Installing: $$missing"; \
	  $(SUDO) apt-get update -qq && DEBIAN_FRONTEND=noninteractive $(SUDO) apt-get install -y -qq $$missing >/dev/null; \
	fi
	@locale -a 2>/dev/null | grep -qi '^sl_SI.utf8$$' || { \
	  echo "Generating the sl_SI.UTF-8 locale"; \
	  $(SUDO) sed -i 's/^# *sl_SI.UTF-8 UTF-8/sl_SI.UTF-8 UTF-8/' /etc/locale.gen; \
	  grep -q '^sl_SI.UTF-8 UTF-8' /etc/locale.gen || echo 'sl_SI.UTF-8 UTF-8' | $(SUDO) tee -a /etc/locale.gen >/dev/null; \
	  $(SUDO) locale-gen >/dev/null; }

native: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(NATIVE) -j $(JOBS)

win: deps
	cmake -S . -B $(WIN) -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-w64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(WIN) -j $(JOBS)

test: test-native test-win

test-native: native
	cd $(NATIVE) && ctest --output-on-failure -j $(JOBS)

# Windows tests run under Wine in a virtual display with a fresh prefix in build/.
test-win: win
	rm -rf build/wineprefix build/wineprefix-other
	xvfb-run -a -s "-screen 0 1280x1024x24" bash -c 'cd $(WIN) && ctest --output-on-failure'

run: win
	tools/run-diary $(WIN)/Pisarion.exe

bench: native win
	$(NATIVE)/bench/pisarion_bench --benchmark_counters_tabular=true
	xvfb-run -a -s "-screen 0 1280x1024x24" tools/wine-run $(WIN)/bench/win/pisarion_bench_win.exe
	xvfb-run -a -s "-screen 0 1280x1024x24" tools/wine-run $(WIN)/bench/win/pisarion_idle_win.exe

# The contact sheet of the skin atlas: every named rectangle outlined and
# labelled at 3x, and the windows put together at 1x.
skin-sheet: deps
	cmake -S . -B $(NATIVE) -DCMAKE_BUILD_TYPE=Release >/dev/null
	cmake --build $(NATIVE) --target skingen -j $(JOBS)
	$(NATIVE)/tools/skingen/skingen --sheet build/skin-sheet.png

clean:
	rm -rf build
