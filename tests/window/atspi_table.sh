#!/bin/sh
# The table's accessible tree read from outside the program: the window test
# runs on a private X server (Xvfb) and a private session bus, with Qt's
# AT-SPI bridge switched on, and reads its own window through the
# accessibility bus with python3-pyatspi (tests/window/atspi_table.py).
# Skipped (77) when the AT-SPI Python bindings or the X tools are missing.
# Usage: atspi_table.sh WINDOW_TESTS_BINARY SCRIPT
set -eu
binary="$1"
script="$2"
command -v xvfb-run >/dev/null && command -v dbus-run-session >/dev/null || exit 77
# The Debian interpreter, which has the bindings (not another python3 on the PATH).
python=/usr/bin/python3
"$python" -c 'import pyatspi' 2>/dev/null || exit 77
export VARNOK_ATSPI_PYTHON="$python"
export QT_QPA_PLATFORM=xcb
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
export QT_ACCESSIBILITY=1
export NO_AT_BRIDGE=0
export VARNOK_ATSPI_SCRIPT="$script"
exec dbus-run-session -- xvfb-run -a -s "-screen 0 1280x1024x24" \
  "$binary" --gtest_filter='TableAccessibility.*'
