#!/usr/bin/env bash
# Build Stagewell and start it. On a fresh Debian machine (as root, or with
# sudo) it first installs what is missing. Arguments go to the program, so
# "./run.sh /E /M" runs Cylvane's unattended calculation.
#
# The program keeps its files in $STAGEWELL_HOME, or ~/.local/share/stagewell;
# on the first start that folder is filled from data/.
set -euo pipefail
cd "$(dirname "$0")"
source ./scripts/deps.sh
sw_install_deps run

JOBS=$(nproc 2>/dev/null || echo 2)
if [ "$JOBS" -gt 4 ]; then JOBS=4; fi

cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j "$JOBS" --target stagewell

# Without a display the window cannot be shown; the unattended calculation
# needs none.
args="$*"
if [ -z "${DISPLAY:-}${WAYLAND_DISPLAY:-}${QT_QPA_PLATFORM:-}" ] && ! { [[ "$args" == *"/E"* ]] && [[ "$args" == *"/M"* ]]; }; then
  echo "No display found (DISPLAY is not set): start Stagewell from a desktop session," >&2
  echo "or run it off-screen with QT_QPA_PLATFORM=offscreen ./run.sh" >&2
  exit 1
fi
exec ./build/stagewell "$@"
