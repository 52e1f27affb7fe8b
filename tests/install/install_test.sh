#!/usr/bin/env bash
# Installs the build into a temporary prefix and uses it as an installed program: the files a
# desktop needs and the file types they declare; the editor run from a read-only install,
# where it seeds and uses the user's data folder; the command; the packages cpack makes.
#   install_test.sh BUILD_FOLDER
set -euo pipefail
[[ -n "${E2E_TRACE:-}" ]] && set -x
here=$(cd "$(dirname "$0")" && pwd)

if [[ "${INSTALL_STAGE:-}" == read-only ]]; then
  # Inside a private mount namespace: the install is mounted read-only over itself, as /usr
  # is for a user (root included), then the editor runs under Xvfb.
  mount --bind "$prefix" "$prefix"
  mount -o remount,bind,ro "$prefix"
  exec env INSTALL_STAGE=run xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

if [[ "${INSTALL_STAGE:-}" == run ]]; then
  source "$here/../e2e/x11.sh"
  editor=$prefix/bin/vorpex-editor
  unset QT_QPA_PLATFORM
  export HOME=$work/home XDG_RUNTIME_DIR=$work XDG_DATA_HOME=$work/home/.local/share
  ! touch "$prefix/lib/vorpex-editor/probe" 2>/dev/null || fail "the install can be written"
  user=$XDG_DATA_HOME/VorpexEditor
  mkdir -p "$user/Lvl" && echo mine > "$user/Lvl/Sample2-Diamond.vxl"  # a user's own file
  start_editor
  click 674 42                                  # palette slot 1
  read -r x y < <(cell 3 2); click "$x" "$y"
  to_editor; xdotool key ctrl+s
  type_name "Save As" "$work/drawn.vxl"
  wait_for 10 test -f "$work/drawn.vxl" || fail "nothing saved"
  [[ "$(cell_of "$work/drawn.vxl" 3 2)" == 01000000 ]] || fail "cell (3, 2) holds $(cell_of "$work/drawn.vxl" 3 2)"
  quit
  for f in $(cd "$prefix/lib/vorpex-editor" && echo Tls/* Bgd/* Lvl/*); do
    [[ $f == Lvl/Sample2-Diamond.vxl ]] || cmp -s "$user/$f" "$prefix/lib/vorpex-editor/$f" \
      || fail "$f not seeded into $user"
  done
  [[ "$(cat "$user/Lvl/Sample2-Diamond.vxl")" == mine ]] || fail "the user's own file was replaced"
  # The command finds the level's tileset where the editor keeps it.
  "$prefix/bin/vorpex" check "$work/drawn.vxl" >/dev/null || fail "vorpex check of the saved level"
  # Where no user folder can be made (a sandboxed thumbnailer, a build container), the command
  # works from the install itself.
  nowhere=(env -u DISPLAY HOME="$prefix" XDG_DATA_HOME="$prefix/share")
  "${nowhere[@]}" "$prefix/bin/vorpex" render "$work/drawn.vxl" "$work/t.png" || fail "render, no home"
  "${nowhere[@]}" "$prefix/bin/vorpex" check "$work/drawn.vxl" || fail "check with no home to write"
  echo "read-only install: passed"
  exit 0
fi

build=$(cd "$1" && pwd)
export work prefix
work=$(mktemp -d)
prefix=$work/prefix
trap 'chmod -R u+w "$work" 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$prefix" >/dev/null
app=$prefix/lib/vorpex-editor
for f in "$app/VorpexEditor" "$app/vorpex" "$app/vorpex-qtimage.so" "$app/Tls/DefaultTileSet.vxt" \
         "$app/Tls/DefaultTileSet.bmp" "$app/Bgd/DefaultBackground.bmp" "$app/Lvl" \
         "$prefix/bin/vorpex-editor" "$prefix/bin/vorpex" \
         "$prefix/share/applications/vorpex-editor.desktop" \
         "$prefix/share/mime/packages/vorpex-editor.xml" \
         "$prefix/share/thumbnailers/vorpex-level.thumbnailer" "$app/Lvl/Samples.vxs"; do
  [[ -e "$f" ]] || fail "not installed: $f"
done
# The sample levels, each named by the levelset, and the tileset and backgrounds they use.
for level in $(tail -n +3 "$app/Lvl/Samples.vxs" | tr -d '\r'); do
  [[ -f "$app/Lvl/$level" ]] || fail "not installed: $level"
done
"$prefix/bin/vorpex" check --strict --data "$app" "$app" >/dev/null || fail "vorpex check of $app"
for size in 32 64 128 256; do
  icon=$prefix/share/icons/hicolor/${size}x${size}/apps/vorpex-editor.png
  [[ "$(identify -format '%wx%h' "$icon")" == "${size}x${size}" ]] || fail "icon $icon"
done
desktop-file-validate "$prefix/share/applications/vorpex-editor.desktop" || fail "desktop entry"

# The file types, known once installed into a data home of the test's own.
mime_home=$work/mime-home
mkdir -p "$mime_home/mime/packages"
cp "$prefix/share/mime/packages/vorpex-editor.xml" "$mime_home/mime/packages/"
update-mime-database "$mime_home/mime"
for kind in vxl:level vxt:tileset vxs:levelset; do
  printf 'some bytes\r\n' > "$work/file.${kind%%:*}"
  type=$(XDG_DATA_HOME=$mime_home xdg-mime query filetype "$work/file.${kind%%:*}")
  [[ "$type" == "application/x-vorpex-${kind##*:}" ]] || fail ".${kind%%:*} is $type"
done

# The installed command, with the thumbnailer's arguments.
"$prefix/bin/vorpex" --version | grep -q '^vorpex ' || fail "vorpex --version"
env -u DISPLAY "$prefix/bin/vorpex" render "$app/Lvl/Sample1-Walls.vxl" "$work/t.png" --size 128 \
  || fail "vorpex render"
[[ "$(identify -format '%wx%h' "$work/t.png")" == 128x96 ]] || fail "thumbnail size"

# The editor from a read-only install.
if [[ $(id -u) == 0 ]]; then
  INSTALL_STAGE=read-only unshare --mount --propagation private "$0" "$@"
else
  chmod -R a-w "$prefix"
  INSTALL_STAGE=run xvfb-run -a -s "-screen 0 1280x1024x24 -noreset" "$0" "$@"
fi

# Packages of the same install.
(cd "$work" && cpack --config "$build/CPackConfig.cmake" -B "$work/packages" >/dev/null)
deb=$(dpkg-deb -c "$work"/packages/*.deb)
tgz=$(tar tzf "$work"/packages/*.tar.gz)
for f in usr/lib/vorpex-editor/VorpexEditor usr/lib/vorpex-editor/Tls/DefaultTileSet.vxt \
         usr/lib/vorpex-editor/Lvl/Samples.vxs usr/lib/vorpex-editor/Lvl/Sample1-Walls.vxl \
         usr/bin/vorpex-editor usr/share/applications/vorpex-editor.desktop; do
  grep -q " \./$f\$" <<<"$deb" || fail "$f not in the .deb"
  grep -q "/$f\$" <<<"$tgz" || fail "$f not in the .tar.gz"
done
echo "install: passed"
