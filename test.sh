#!/usr/bin/env bash
# Build Stagewell and run every test. On a fresh Debian machine (as root, or
# with sudo) it first installs what is missing.
set -euo pipefail
cd "$(dirname "$0")"
source ./scripts/deps.sh
sw_install_deps test

JOBS=$(nproc 2>/dev/null || echo 2)
export QT_QPA_PLATFORM=offscreen

# What the tests put in the temporary folder (also a test that crashed, and
# the run-time folders of the toolkit) goes to one folder of this run,
# removed when it ends: nothing stays behind in the system's.
RUN_TMP=$(mktemp -d "${TMPDIR:-/tmp}/stagewell-run.XXXXXX")
chmod 1777 "$RUN_TMP"  # the unattended runs as another user write there too
trap 'rm -rf "$RUN_TMP"' EXIT
export TMPDIR="$RUN_TMP"

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS"

status=0
(cd build && ctest --output-on-failure -j "$JOBS" --timeout 300) || status=$?

# The numeric core and file readers once more under AddressSanitizer and
# UBSan (which stops at its first report), with the window tests named here
# (separated by ";"): windows unloaded while their own handler still runs,
# the random-input run of the whole windowed program, and every control
# worked while a calculation runs. The real program on an X server
# (desktop) runs there too, and must leave no sanitizer or leak report.
SANITIZED_QTESTS="window_lifetime_qtest;random_input_qtest;undisturbed_windows_qtest"
cmake -S . -B build-asan -DSW_CORE_ONLY=OFF -DSW_SANITIZE=ON -DSW_BENCH=OFF \
      -DSW_QTESTS="$SANITIZED_QTESTS" -DCMAKE_BUILD_TYPE=Debug >/dev/null
cmake --build build-asan -j "$JOBS"
(cd build-asan && ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
   ctest --output-on-failure -j "$JOBS" --timeout 300) || status=$?

if [ -x scripts/fuzz.sh ]; then
  scripts/fuzz.sh || status=$?
fi

exit $status
