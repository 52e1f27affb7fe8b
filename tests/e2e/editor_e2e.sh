#!/usr/bin/env bash
# Drives the real program from outside, under Xvfb: a level named on the command line, then a
# designer's day: open a level, draw with a drag, erase with the right button, toggle a
# paddle, Clear answered No, Save As, undo on screen, the tileset builder opened and
# cancelled, a kill -9 and the level given back, Ctrl+S, the Edit menu's tools, and Ctrl+Q.
# The saved bytes are checked against the level layout.
#   editor_e2e.sh PROGRAM_FOLDER
set -euo pipefail
[[ -n "${E2E_TRACE:-}" ]] && set -x

if [[ -z "${VORPEX_E2E_DISPLAY:-}" ]]; then
  export VORPEX_E2E_DISPLAY=1
  exec xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

program_dir=$1
work=$(mktemp -d)
app=$work/app
pid=""
trap '{ kill -9 "$pid"; } 2>/dev/null || true; rm -rf "$work"' EXIT
mkdir -p "$app/Lvl"
cp "$program_dir/VorpexEditor" "$app/"
cp -r "$program_dir/Tls" "$program_dir/Bgd" "$app/"
unset QT_QPA_PLATFORM
export XDG_RUNTIME_DIR=$work XDG_DATA_HOME=$work/data
recovery=$XDG_DATA_HOME/VorpexEditor/recovery

source "$(dirname "$0")/x11.sh"
editor=$app/VorpexEditor

# A level written out from the layout: paddles bottom only, the default tileset and
# background, brick 2 in cell (1, 1).
name_field() { printf '%-30s' "$1"; }
{ printf '\xff\xff\x00\x00\x00\x00\x00\x00'; name_field DefaultTileSet.vxt
  name_field DefaultBackground.bmp; head -c 2604 /dev/zero; } > "$work/start.vxl"
printf '\x02' | dd of="$work/start.vxl" bs=1 seek=$(( 68 + 4 * (1 + 21 * 1) )) conv=notrunc 2>/dev/null

# The command line takes one level, relative to the current folder; anything else is refused
# with a usage line and no window.
status=0
"$app/VorpexEditor" start.vxl more.vxl 2>"$work/usage.txt" || status=$?
[[ "$status" == 2 ]] && grep -q '^usage: VorpexEditor' "$work/usage.txt" \
  || fail "two arguments: status $status, '$(cat "$work/usage.txt")'"
start_editor start.vxl
wait_for 10 bash -c "xdotool getwindowname $win | grep -qxF -- 'Vorpex Editor - $work/start.vxl'" \
  || fail "title with a level on the command line is '$(title)'"
quit

start_editor
[[ "$(title)" == "Vorpex Editor - Untitled" ]] || fail "title is '$(title)'"
xdotool windowactivate --sync "$win" >/dev/null 2>&1 || to_editor

# Open the level (No to the save question).
to_editor; xdotool key ctrl+o
keys_to "New Level" alt+n
type_name Open "$work/start.vxl"
wait_for 10 bash -c "xdotool getwindowname $win | grep -qF -- '$work/start.vxl'" \
  || fail "title after Open is '$(title)'"

click 674 42                                        # palette slot 1
read -r x y < <(cell 3 2); read -r x2 _ < <(cell 6 2)
xdotool mousemove --window "$win" $(at "$x" "$y") mousedown 1
for ((px = x; px <= x2; px += 16)); do xdotool mousemove --window "$win" $(at "$px" "$y"); done
xdotool mouseup 1; sleep 0.3                        # cells (3..6, 2) hold brick 1
read -r x y < <(cell 4 2); click "$x" "$y" 3        # right button empties (4, 2)
click 272 552                                       # the top paddle's box
click 608 508                                       # Clear ...
keys_to "Clear Level" alt+n                         # ... answered No

day=$app/Lvl/day.vxl
to_editor; xdotool key ctrl+a
type_name "Save As" "$day"
wait_for 10 test -f "$day" || fail "Save As wrote nothing"
[[ "$(stat -c %s "$day")" == 2672 ]] || fail "level file is $(stat -c %s "$day") bytes"
[[ "$(bytes "$day" 0 8)" == ffff0000ffff0000 ]] || fail "paddles $(bytes "$day" 0 8)"
[[ "$(bytes "$day" 8 30)" == "$(name_field DefaultTileSet.vxt | od -An -v -tx1 | tr -d ' \n')" ]] \
  || fail "tileset name $(bytes "$day" 8 30)"
[[ "$(bytes "$day" 38 30)" == "$(name_field DefaultBackground.bmp | od -An -v -tx1 | tr -d ' \n')" ]] \
  || fail "background name $(bytes "$day" 38 30)"
for c in "1 1 02" "3 2 01" "4 2 00" "5 2 01" "6 2 01"; do
  set -- $c
  [[ "$(cell_of "$day" "$1" "$2")" == "${3}000000" ]] || fail "cell ($1, $2) holds $(cell_of "$day" "$1" "$2")"
done
[[ "$(set_cells "$day")" == 4 ]] || fail "$(set_cells "$day") cells are set"
[[ "$(title)" == "Vorpex Editor - $day" ]] || fail "title after Save As is '$(title)'"

# Undo on screen: the cell shows again exactly what it showed before the click.
read -r x y < <(cell 10 10)
before=$(pixel "$x" "$y")
click "$x" "$y"
[[ "$(pixel "$x" "$y")" != "$before" ]] || fail "the brick did not appear"
to_editor; xdotool key ctrl+z; sleep 0.3
[[ "$(pixel "$x" "$y")" == "$before" ]] || fail "after Ctrl+Z the cell shows $(pixel "$x" "$y"), not $before"

# The tileset builder, opened from the menu and cancelled.
to_editor; xdotool key alt+f t
keys_to "New Tileset" alt+c
keys_to "Cancel" alt+y
wait_for 10 bash -c '! xdotool search --onlyvisible --name "^New Tileset$"' || fail "the builder stayed open"

# A brick drawn, then the editor killed: the next start gives the level back.
read -r x y < <(cell 12 12)
click "$x" "$y"
wait_for 5 bash -c "ls '$recovery'/*.vxl" || fail "no recovery copy"
kill -9 "$pid"; wait "$pid" 2>/dev/null || true
start_editor
keys_to VorpexEditor Return                         # Yes, the default
wait_for 10 bash -c "xdotool getwindowname $win | grep -qF -- '$day'" \
  || fail "title after the restore is '$(title)'"
to_editor; xdotool key ctrl+s; sleep 0.5
[[ "$(cell_of "$day" 12 12)" == 01000000 ]] || fail "restored cell (12, 12) holds $(cell_of "$day" 12 12)"
[[ "$(set_cells "$day")" == 5 ]] || fail "$(set_cells "$day") cells are set after the restore"

# The designer's tools: a rectangle mirrored left-right, a fill of one half, that half copied
# and pasted lower down, the paste undone; the bytes then hold exactly the rest.
drag_cells() { # drag_cells X1 Y1 X2 Y2
  local x y
  read -r x y < <(cell "$1" "$2"); xdotool mousemove --window "$win" $(at "$x" "$y") mousedown 1
  read -r x y < <(cell "$3" "$4"); xdotool mousemove --window "$win" $(at "$x" "$y"); sleep 0.1
  xdotool mouseup 1; sleep 0.3
}
click 674 42                                        # palette slot 1
to_editor; xdotool key m r
drag_cells 2 20 4 21                                # (2..4, 20..21) and (17..19, 20..21)
click 674 66                                        # palette slot 2
to_editor; xdotool key m f
read -r x y < <(cell 3 21); click "$x" "$y"         # the left block turns to brick 2
to_editor; xdotool key s
drag_cells 2 20 4 21
read -r x y < <(cell 8 25); before=$(pixel "$x" "$y")
to_editor; xdotool key ctrl+c ctrl+v
xdotool mousemove --window "$win" $(at "$x" "$y"); sleep 0.2
click "$x" "$y"
[[ "$(pixel "$x" "$y")" != "$before" ]] || fail "the pasted block does not show"
to_editor; xdotool key ctrl+z ctrl+s; sleep 0.5
for c in "2 20 02" "4 21 02" "17 20 01" "19 21 01" "8 25 00" "1 1 02" "12 12 01"; do
  set -- $c
  [[ "$(cell_of "$day" "$1" "$2")" == "${3}000000" ]] || fail "cell ($1, $2) holds $(cell_of "$day" "$1" "$2")"
done
[[ "$(set_cells "$day")" == 17 ]] || fail "$(set_cells "$day") cells are set after the tools"

# Saved: Ctrl+Q ends at once, and leaves no recovery copy.
quit
[[ -z "$(ls -A "$recovery")" ]] || fail "the recovery folder holds $(ls -A "$recovery")"
echo "editor end-to-end: passed"
