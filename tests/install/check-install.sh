#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs the build into a clean prefix, then builds the .deb and unpacks it
# into another clean root, and checks that each holds a program that starts.
# Usage: check-install.sh <build-dir> [<metafile probe>]
set -euo pipefail
build=$1
probe=${2:-}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() { echo "FAIL: $*"; exit 1; }

check_tree() {
  local root=$1
  local dir=$root/lib/vantix
  [ -x "$dir/Vantix" ] || fail "$dir/Vantix missing"
  for wav in 1dyt.wav 2dyt.wav 3dyt.wav 5dyt.wav; do
    [ -s "$dir/$wav" ] || fail "$dir/$wav missing"
    head -c 4 "$dir/$wav" | grep -q RIFF || fail "$dir/$wav is not a WAV file"
  done
  for language in english german french spanish italian dutch swedish norwegian; do
    [ -f "$dir/$language.lng" ] || fail "$language.lng missing"
  done
  [ -x "$dir/vantix-wmf" ] || fail "$dir/vantix-wmf (the metafile helper) missing"
  if [ -n "$probe" ]; then
    # A program in the install folder, started through a link from another
    # folder, must draw metafiles with the helper beside it.
    cp "$probe" "$dir/wmfprobe"
    ln -sf "../lib/vantix/wmfprobe" "$root/bin/wmfprobe"
    local drawn
    drawn=$(cd "$work" && "$root/bin/wmfprobe") || fail "no metafile drawn by the installed helper: $drawn"
    rm -f "$dir/wmfprobe" "$root/bin/wmfprobe"
    [ "$drawn" = "$(readlink -f "$dir")/vantix-wmf 200x100" ] || fail "metafile drawn by another helper: $drawn"
  fi
  [ ! -e "$dir/vantix.lng" ] || fail "a vantix.lng would switch the program out of its own language"
  [ "$(readlink -f "$root/bin/vantix")" = "$(readlink -f "$dir/Vantix")" ] || fail "bin/vantix does not lead to the program"
  [ -f "$root/share/applications/vantix.desktop" ] || fail "launcher missing"
  [ -f "$root/share/icons/hicolor/scalable/apps/vantix.svg" ] || fail "scalable icon missing"
  for size in 16 32 48 256; do
    [ -f "$root/share/icons/hicolor/${size}x${size}/apps/vantix.png" ] || fail "${size}px icon missing"
  done
  if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$root/share/applications/vantix.desktop" || fail "launcher does not validate"
  fi
  # Started through the launcher's link from another folder, the program must
  # run (a crash or a failed start ends it before the time-out does).
  set +e
  (cd "$work" && QT_QPA_PLATFORM=offscreen timeout 4 "$root/bin/vantix" >/dev/null 2>&1)
  local rc=$?
  set -e
  [ $rc -eq 124 ] || fail "the installed program ended by itself (exit $rc)"
}

cmake --install "$build" --prefix "$work/prefix" >/dev/null
check_tree "$work/prefix"
echo "install tree: ok"

(cd "$build" && cpack -G DEB -B "$work/deb" >/dev/null)
deb=$(ls "$work"/deb/vantix_*.deb)
depends=$(dpkg-deb -f "$deb" Depends)
for needed in libqt6widgets6 libqt6multimedia6 libjpeg62-turbo fonts-liberation; do
  case "$depends" in *"$needed"*) ;; *) fail ".deb does not depend on $needed: $depends";; esac
done
dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root/usr"
echo ".deb: ok ($(basename "$deb"))"

# --- The tournament file's MIME type -------------------------------------
# The type is installed with the program, the launcher declares it and takes
# the file (%f), and the desktop's own tools agree on a sample file: what
# xdg-mime finds for it is what the launcher's MimeType= names.
check_tournament_type() {
  local root=$1
  local type=application/x-vantix-tournament
  local launcher=$root/share/applications/vantix.desktop
  [ -f "$root/share/mime/packages/vantix.xml" ] || fail "MIME type of the tournament file missing"
  grep -q "type=\"$type\"" "$root/share/mime/packages/vantix.xml" || fail "vantix.xml does not declare $type"
  grep -qx "MimeType=$type;" "$launcher" || fail "launcher does not declare $type"
  grep -q '^Exec=vantix %f$' "$launcher" || fail "launcher does not hand the file over"
  command -v desktop-file-validate >/dev/null || { echo "tournament type: no desktop-file-validate, skipped"; return; }
  command -v update-mime-database >/dev/null || { echo "tournament type: no update-mime-database, skipped"; return; }
  command -v xdg-mime >/dev/null || { echo "tournament type: no xdg-mime, skipped"; return; }
  desktop-file-validate "$launcher" || fail "launcher does not validate"
  local data=$work/mime-$RANDOM
  mkdir -p "$data/mime/packages" "$data/home"
  cp "$root/share/mime/packages/vantix.xml" "$data/mime/packages/"
  update-mime-database "$data/mime" >/dev/null 2>&1 || fail "update-mime-database refuses vantix.xml"
  printf '[Vantix Tournament]\nVersion=1\n' >"$work/club.vantix"
  local found declared
  found=$(XDG_DATA_HOME=$data/home XDG_DATA_DIRS=$data:/usr/share XDG_CURRENT_DESKTOP=GNOME \
          xdg-mime query filetype "$work/club.vantix") || fail "xdg-mime cannot tell the tournament file's type"
  declared=$(sed -n 's/^MimeType=\(.*\);$/\1/p' "$launcher")
  [ "$found" = "$declared" ] || fail "xdg-mime finds '$found' for a tournament file, the launcher declares '$declared'"
}
check_tournament_type "$work/prefix"
check_tournament_type "$work/root/usr"
echo "tournament file type: ok"
