# Driving the real editor under X from a test script: waiting, windows, keys, clicks, pixels,
# and the bytes of level files. The sourcing script sets $work and $editor.

fail() { echo "FAIL: $*" >&2; exit 1; }

wait_for() { # wait_for SECONDS COMMAND...
  local limit=$(( $1 * 10 )); shift
  for ((i = 0; i < limit; i++)); do
    if "$@" >/dev/null 2>&1; then return 0; fi
    sleep 0.1
  done
  return 1
}

start_editor() { # start_editor [ARGUMENT], from $work; the program is $editor
  (cd "$work" && exec "$editor" "$@") &
  pid=$!
  wait_for 20 xdotool search --name '^Vorpex Editor - ' || fail "the editor window did not appear"
  win=$(xdotool search --name '^Vorpex Editor - ' | head -n 1)
  # The client area is 896 x 599 under a menu bar; positions below are in the client area.
  eval "$(xdotool getwindowgeometry --shell "$win")"
  menu=$(( HEIGHT - 599 ))
}
window_named() { xdotool search --onlyvisible --name "^$1\$" | tail -n 1; }
# Keys go to the window of that title, once it is there.
keys_to() {
  local title=$1 w; shift
  wait_for 10 window_named "$title" || fail "no window '$title'"
  w=$(window_named "$title")
  xdotool windowfocus --sync "$w" 2>/dev/null || true
  sleep 0.2
  xdotool key "$@"
  sleep 0.4
}
type_name() { # into the file dialog of that title
  keys_to "$1" ctrl+a
  xdotool type --delay 40 "$2"
  xdotool key Return
  sleep 0.6
}
to_editor() { xdotool windowfocus --sync "$win" 2>/dev/null || true; sleep 0.2; }
at() { echo "$1" $(( $2 + menu )); } # client to window coordinates
click() { xdotool mousemove --window "$win" $(at "$1" "$2") click "${3:-1}"; sleep 0.3; }
cell() { echo $(( 10 + 32 * ($1 - 1) + 16 )) $(( 10 + 16 * ($2 - 1) + 8 )); } # centre of a cell
pixel() { # colour at a client point, as on screen
  import -window "$win" -crop "1x1+$1+$(( $2 + menu ))" -depth 8 txt:- | grep -o '#[0-9A-F]\{6\}'
}
title() { xdotool getwindowname "$win"; }
bytes() { od -An -v -tx1 -j "$2" -N "$3" "$1" | tr -d ' \n'; }
cell_of() { bytes "$1" $(( 68 + 4 * ($2 + 21 * $3) )) 4; }
set_cells() { od -An -v -tx4 -j 68 "$1" | tr -s ' ' '\n' | grep -cv '^0*$' || true; }

ended() { # the program has ended (its process gone, or left for us to reap)
  [[ "$(sed 's/.*) //' "/proc/$pid/stat" 2>/dev/null | cut -d' ' -f1)" == Z ]] || ! kill -0 "$pid"
}
quit() { # Ctrl+Q, then the program must end by itself
  to_editor
  # The window may be gone before xdotool lets go of the keys.
  xdotool key ctrl+q 2>/dev/null || true
  wait_for 10 ended || fail "Ctrl+Q did not end the program"
  local status=0
  wait "$pid" || status=$?
  [[ "$status" == 0 ]] || fail "the program ended with status $status"
}
