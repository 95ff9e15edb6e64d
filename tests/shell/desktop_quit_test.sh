#!/usr/bin/env bash
# Quitting the real program as a racer's desktop does, which no offscreen
# window test does: QApplication's end tears the windows down while the
# accessibility bridge may be on. Each start gets a desktop of its own (X
# server, openbox, session bus and, for the bridge, the accessibility bus);
# a figure is typed into the Transmission window, left with OK, and the
# program quit by its close box or File > Exit Program, its questions
# answered with their defaults. It must end by itself, with status 0 and no
# sanitizer or leak report.
#
#   tests/shell/desktop_quit_test.sh build/stagewell
#
# One line per start; exit 0 when every start ended cleanly, else 1. A missing
# tool fails the test too: it must run wherever the suite runs.
set -u
set -m  # each process started in the background leads a process group of its own, ended whole

prog=${1:?usage: desktop_quit_test.sh PROGRAM}

# The screen-reader bridge on or off, times the two ways of quitting.
cases=(
  "on  close-box"
  "on  file-exit"
  "off close-box"
  "off file-exit"
)

[ -x "$prog" ] || { echo "desktop quit: no program at $prog"; exit 1; }
launcher=/usr/libexec/at-spi-bus-launcher
for tool in Xvfb openbox xdotool wmctrl dbus-daemon gdbus "$launcher"; do
  command -v "$tool" >/dev/null || {
    echo "desktop quit: $tool is missing (./test.sh installs it: xvfb openbox xdotool wmctrl dbus-daemon libglib2.0-bin at-spi2-core)"
    exit 1
  }
done

work=$(mktemp -d "${TMPDIR:-/tmp}/desktop-quit.XXXXXX")
groups=()  # the process groups of the running start: its desktop and the program
end_all() {  # the program first, then its desktop
  local i
  for ((i = ${#groups[@]} - 1; i >= 0; i--)); do kill -- "-${groups[i]}" 2>/dev/null; done
  wait 2>/dev/null
  groups=()
}
trap 'end_all; rm -rf "$work"' EXIT
trap 'exit 1' INT TERM

fail() { result=$*; return 1; }

# A desktop for one start in folder $1, the accessibility bus on it when $2 is
# "on". None of the developer's own settings (Qt's, openbox's) are read, and
# nothing is left in the system's folders.
desktop() {
  local dir=$1 t
  export XDG_RUNTIME_DIR="$dir/run" XDG_CONFIG_HOME="$dir/config" XDG_CACHE_HOME="$dir/cache"
  mkdir -p "$XDG_CONFIG_HOME" "$XDG_CACHE_HOME" && mkdir -m 700 "$XDG_RUNTIME_DIR"
  # -noreset: by default the server starts over when its last client leaves,
  # and the accessibility bus launcher is one that comes and goes; a client
  # connecting meanwhile (openbox) is turned away.
  Xvfb -displayfd 3 -screen 0 1280x900x24 -nolisten tcp -noreset 3>"$dir/display" >"$dir/xvfb.log" 2>&1 &
  groups+=($!)
  for t in $(seq 100); do [ -s "$dir/display" ] && break; sleep 0.1; done
  [ -s "$dir/display" ] || fail "Xvfb did not start: $(tail -2 "$dir/xvfb.log")" || return 1
  export DISPLAY=":$(head -1 "$dir/display")"
  # Without a session bus the toolkit starts one of its own through
  # dbus-launch, and leaves it running.
  dbus-daemon --session --nofork --print-address=3 3>"$dir/bus" >/dev/null 2>&1 &
  groups+=($!)
  for t in $(seq 50); do [ -s "$dir/bus" ] && break; sleep 0.1; done
  [ -s "$dir/bus" ] || fail "the session bus did not start" || return 1
  export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$dir/bus")
  a11y=""
  if [ "$2" = on ]; then
    "$launcher" --launch-immediately >/dev/null 2>&1 &
    groups+=($!)
    for t in $(seq 50); do
      a11y=$(gdbus call --session --dest org.a11y.Bus --object-path /org/a11y/bus \
               --method org.a11y.Bus.GetAddress 2>/dev/null | sed -n "s/^('\(.*\)',)$/\1/p")
      [ -n "$a11y" ] && break
      sleep 0.1
    done
    [ -n "$a11y" ] || fail "the accessibility bus did not start" || return 1
  fi
  openbox >"$dir/openbox.log" 2>&1 &
  groups+=($!)
  for t in $(seq 50); do wmctrl -m >/dev/null 2>&1 && break; sleep 0.1; done
  wmctrl -m >/dev/null 2>&1 || fail "openbox did not start: $(tail -2 "$dir/openbox.log")" || return 1
}

# Whether process $1 is connected to the accessibility bus: its bridge is on.
on_a11y_bus() {
  local n
  for n in $(gdbus call --address "$a11y" --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
               --method org.freedesktop.DBus.ListNames 2>/dev/null | grep -o "':[0-9.]*'" | tr -d "'"); do
    gdbus call --address "$a11y" --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
      --method org.freedesktop.DBus.GetConnectionUnixProcessID "$n" 2>/dev/null | grep -q "(uint32 $1,)" && return 0
  done
  return 1
}

# xdotool waits for a window that may just have gone: never for long.
xdo() { timeout 5 xdotool "$@" 2>/dev/null; }
caption() { xdo getwindowname "$1"; }
windows_of() { xdo search --onlyvisible --pid "$1" --name '.'; }
window_named() {  # the first window of process $1 whose caption begins with $2
  local w
  for w in $(windows_of "$1"); do
    case "$(caption "$w")" in "$2"*) echo "$w"; return ;; esac
  done
}
# The program's boxes: its windows but the main one and the Transmission
# window (a dropped menu is listed too, but never comes to the front, so it is
# never answered).
boxes() {
  local w
  for w in $(windows_of "$1"); do
    case "$(caption "$w")" in " Stagewell v"* | "Transmission Specs"*) ;; *) echo "$w" ;; esac
  done
}
# Answers a box of process $1 with its default button, the box in front
# first (one behind a box of its own cannot come to the front), noting its
# caption; returns 1 when there was none.
answer_box() {
  local w t list front
  list=$(boxes "$1")
  [ -n "$list" ] || return 1
  front=$(xdo getactivewindow)
  if ! grep -qx "$front" <<<"$list"; then
    front=""
    for w in $list; do
      xdo windowactivate "$w"
      for t in 1 2 3 4 5; do [ "$(xdo getactivewindow)" = "$w" ] && front=$w && break 2; sleep 0.1; done
    done
    [ -n "$front" ] || return 0
  fi
  caption "$front" >>"$asked"
  xdo key --clearmodifiers Return
  for t in $(seq 20); do windows_of "$1" | grep -qx "$front" || return 0; sleep 0.1; done
}
# Answers boxes until none has come for two seconds (at most $2 seconds).
answer_until_quiet() {
  local quiet=0 t
  for t in $(seq $(($2 * 4))); do
    kill -0 "$1" 2>/dev/null || return
    if answer_box "$1"; then quiet=0; else quiet=$((quiet + 1)); fi
    [ "$quiet" -ge 8 ] && return
    sleep 0.25
  done
}
# The last lines the program wrote, indented under a line of the report.
last_words() { [ -s "$log" ] && { echo; tail -"$1" "$log" | sed 's/^/    /'; }; }
# Whether the program has ended before it was quit (its status and last
# words in $result).
ended_early() {
  kill -0 "$pid" 2>/dev/null && return 1
  wait "$pid"
  result="ended before it was quit, exit status $?$(last_words 5)"
}

# One start with the bridge $1 (on/off), quit by $2 (close-box/file-exit), in
# folder $3; its outcome in $result, and 1 returned when it did not end cleanly.
one() {
  local bridge=$1 way=$2 dir=$3 main spec rc t try
  log="$dir/log" asked="$dir/asked"
  desktop "$dir" "$bridge" || return 1
  : >"$asked"
  local env=(env -u QT_ACCESSIBILITY -u QT_LINUX_ACCESSIBILITY_ALWAYS_ON QT_QPA_PLATFORM=xcb STAGEWELL_HOME="$dir/home")
  [ "$bridge" = on ] && env+=(QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 QT_ACCESSIBILITY=1)
  "${env[@]}" "$prog" >"$log" 2>&1 &
  pid=$!
  groups+=("$pid")

  for t in $(seq 240); do
    main=$(window_named "$pid" " Stagewell v")
    [ -n "$main" ] && break
    ended_early && return 1
    sleep 0.25
  done
  [ -n "$main" ] || fail "no main window within 60 s" || return 1
  answer_until_quiet "$pid" 30
  ended_early && return 1
  # A start meant with the bridge on that ran without it would test nothing of it.
  if [ "$bridge" = on ]; then
    for t in $(seq 40); do on_a11y_bus "$pid" && break; sleep 0.25; done
    on_a11y_bus "$pid" || fail "the program is not on the accessibility bus: its bridge is not on" || return 1
  fi

  # The Transmission button, first of the Vehicle Specs column at the main
  # window's right (the screen's size is ours, so is the main window's). A box
  # that came late takes the click: it is answered, and the button clicked again.
  for try in 1 2 3; do
    xdo windowactivate --sync "$main"
    xdo mousemove --window "$main" $(($(xdo getwindowgeometry --shell "$main" | sed -n 's/^WIDTH=//p') - 117)) 120 click 1
    for t in $(seq 20); do spec=$(window_named "$pid" "Transmission Specs"); [ -n "$spec" ] && break 2; sleep 0.25; done
    answer_until_quiet "$pid" 10
    ended_early && return 1
  done
  ended_early && return 1
  [ -n "$spec" ] || fail "clicking the Transmission button opened no Transmission window" || return 1
  answer_until_quiet "$pid" 20  # the tip on its help line
  ended_early && return 1
  # Tab from the clutch type to the clutch diameter, whose figure is replaced
  # (the save question at the end tells it was taken).
  xdo windowactivate --sync "$spec" key --clearmodifiers Tab End BackSpace BackSpace BackSpace BackSpace BackSpace
  xdo type --delay 40 "10.5"
  xdo key --clearmodifiers Return
  sleep 1
  # OK, the first button of the window's bottom row.
  xdo mousemove --window "$spec" 100 $(($(xdo getwindowgeometry --shell "$spec" | sed -n 's/^HEIGHT=//p') - 23)) click 1
  for t in $(seq 40); do [ -z "$(window_named "$pid" "Transmission Specs")" ] && break; sleep 0.25; done
  ended_early && return 1
  [ -z "$(window_named "$pid" "Transmission Specs")" ] || fail "OK did not close the Transmission window" || return 1

  if [ "$way" = close-box ]; then
    wmctrl -i -c "$main"
  else
    # Alt+F drops the File menu (a window of the program's own), X picks Exit Program.
    xdo windowactivate --sync "$main" key --clearmodifiers alt+f
    for t in $(seq 20); do [ -n "$(boxes "$pid")" ] && break; sleep 0.25; done
    [ -n "$(boxes "$pid")" ] || fail "Alt+F opened no File menu" || return 1
    xdo key --clearmodifiers x
  fi
  # The questions, answered until the program ends by itself.
  local deadline=$((SECONDS + 30))
  while kill -0 "$pid" 2>/dev/null && [ "$SECONDS" -lt "$deadline" ]; do
    answer_box "$pid" || sleep 0.25
  done
  kill -0 "$pid" 2>/dev/null && { fail "still running 30 s after it was quit (asked: $(paste -sd'|' "$asked"))"; return 1; }
  wait "$pid"
  rc=$?
  local report='ERROR: AddressSanitizer\|ERROR: LeakSanitizer\|runtime error:'
  if grep -q "$report" "$log"; then
    fail "sanitizer report at exit (exit status $rc):
$(grep -m1 -A20 "$report" "$log" | sed 's/^/    /')"
    return 1
  fi
  [ "$rc" -eq 0 ] || fail "exit status $rc$([ "$rc" -gt 128 ] && echo " (signal $((rc - 128)))")$(last_words 5)" ||
    return 1
  grep -qx "Save Your Changes ?" "$asked" ||
    fail "quit without the save question, though a figure was changed (asked: $(paste -sd'|' "$asked"))" || return 1
  result="ended by itself, exit status 0"
}

fails=0
n=0
for c in "${cases[@]}"; do
  read -r bridge way <<<"$c"
  n=$((n + 1))
  start=$SECONDS
  one "$bridge" "$way" "$work/$n"
  ok=$?
  end_all
  printf 'desktop quit: bridge %-3s  %-9s  %3d s  %s\n' "$bridge" "$way" $((SECONDS - start)) "$result"
  [ "$ok" -eq 0 ] || fails=$((fails + 1))
done
echo "desktop quit: $((${#cases[@]} - fails)) passed, $fails failed"
[ "$fails" -eq 0 ]
