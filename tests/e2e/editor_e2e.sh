#!/usr/bin/env bash
# Drives the real program from outside: starts it under Xvfb in a temporary application
# folder, places a brick with real mouse clicks, saves with Ctrl+S through the real file
# dialog, checks the saved bytes and quits with Ctrl+Q.
#   editor_e2e.sh PROGRAM_FOLDER
set -euo pipefail
[[ -n "${E2E_TRACE:-}" ]] && set -x

if [[ -z "${VORPEX_E2E_DISPLAY:-}" ]]; then
  export VORPEX_E2E_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24" "$0" "$@"
fi

program_dir=$1
work=$(mktemp -d)
app=$work/app
pid=""
trap '{ kill "$pid"; } 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$app/Lvl"
cp "$program_dir/VorpexEditor" "$app/"
cp -r "$program_dir/Tls" "$program_dir/Bgd" "$app/"
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work

fail() { echo "FAIL: $*" >&2; exit 1; }

wait_for() { # wait_for SECONDS COMMAND...
  local limit=$(( $1 * 10 )); shift
  for ((i = 0; i < limit; i++)); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

"$app/VorpexEditor" &
pid=$!
wait_for 20 xdotool search --name '^Vorpex Editor - ' || fail "the editor window did not appear"
win=$(xdotool search --name '^Vorpex Editor - ' | head -n 1)
title=$(xdotool getwindowname "$win")
[[ "$title" == "Vorpex Editor - Untitled" ]] || fail "title is '$title'"

# The client area is 896 x 599 under a menu bar; positions below are in the client area.
eval "$(xdotool getwindowgeometry --shell "$win")"
menu=$(( HEIGHT - 599 ))
click() { # click X Y in client coordinates
  xdotool mousemove --window "$win" "$1" $(( $2 + menu )) click 1
  sleep 0.3
}
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || xdotool windowfocus --sync "$win"

click 674 42    # palette slot 1 (656, 32), 36 x 20
click 100 40    # canvas drawing point (90, 30) = cell (3, 2)
click 631 471   # canvas drawing point (621, 461) = cell (20, 29)

level=$app/Lvl/e2e.vxl
xdotool key --window "$win" ctrl+s
wait_for 10 xdotool search --name 'Save' || fail "no save dialog"
sleep 0.5
xdotool type --delay 10 "$level"
xdotool key Return
wait_for 10 test -f "$level" || fail "the level was not saved"
wait_for 10 bash -c "xdotool getwindowname $win | grep -qF -- '$level'" \
  || fail "title is '$(xdotool getwindowname "$win")'"

bytes() { od -An -v -tx1 -j "$1" -N "$2" "$level" | tr -d ' \n'; }
size=$(stat -c %s "$level")
[[ "$size" == 2672 ]] || fail "level file is $size bytes"
[[ "$(bytes 0 8)" == ffff000000000000 ]] || fail "paddles $(bytes 0 8)"
name=$(printf '%-30s' DefaultTileSet.vxt | od -An -v -tx1 | tr -d ' \n')
[[ "$(bytes 8 30)" == "$name" ]] || fail "tileset name $(bytes 8 30)"
back=$(printf '%-30s' DefaultBackground.bmp | od -An -v -tx1 | tr -d ' \n')
[[ "$(bytes 38 30)" == "$back" ]] || fail "background name $(bytes 38 30)"
cell() { bytes $(( 68 + 4 * ($1 + 21 * $2) )) 4; }
[[ "$(cell 3 2)" == 01000000 ]] || fail "cell (3, 2) holds $(cell 3 2)"
[[ "$(cell 20 29)" == 01000000 ]] || fail "cell (20, 29) holds $(cell 20 29)"
nonzero=$(od -An -v -tx4 -j 68 "$level" | tr -s ' ' '\n' | grep -cv '^0*$' || true)
[[ "$nonzero" == 2 ]] || fail "$nonzero cells are set"

xdotool windowfocus --sync "$win" >/dev/null 2>&1 || true
# The window may be gone before xdotool lets go of the keys.
xdotool key ctrl+q 2>/dev/null || true
( sleep 10; kill "$pid" 2>/dev/null ) &
watchdog=$!
status=0
wait "$pid" || status=$?
kill "$watchdog" 2>/dev/null || true
wait "$watchdog" 2>/dev/null || true
[[ "$status" == 0 ]] || fail "Ctrl+Q did not end the program (status $status)"
echo "editor end-to-end: passed"
