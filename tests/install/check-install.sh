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
  # run (a crash or a failed start ends it before the time-out does). With no
  # display, it runs only if Qt gets its own option -platform.
  set +e
  (cd "$work" && env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM \
     timeout 4 "$root/bin/vantix" -platform offscreen >/dev/null 2>&1)
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
# Each package once in Depends.
duplicates=$(echo "$depends" | tr ',' '\n' | sed 's/^ *//; s/[ (].*//' | sort | uniq -d)
[ -z "$duplicates" ] || fail ".deb names twice in Depends: $duplicates"
dpkg-deb -x "$deb" "$work/root"
check_tree "$work/root/usr"

# What Debian asks of a package, as lintian sees it: no error, no warning.
command -v lintian >/dev/null || fail "lintian is missing (scripts/setup-debian.sh --test installs it)"
lintian --fail-on error,warning "$deb" >"$work/lintian" 2>&1 || fail "lintian on $(basename "$deb"): $(cat "$work/lintian")"
doc=$work/root/usr/share/doc/vantix
head -1 "$doc/copyright" | grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' \
  || fail "copyright is not machine-readable"
grep -q '^License: GPL-3.0-or-later' "$doc/copyright" || fail "copyright does not name GPL-3.0-or-later"
latest=$(zcat "$doc/changelog.gz" | sed -n 1p)
case "$latest" in "vantix ($(dpkg-deb -f "$deb" Version)) "*) ;; *) fail "the changelog's last entry is not this version: $latest";; esac
# The manual page lists every option --help lists.
man=$work/root/usr/share/man/man1/vantix.1.gz
options=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$work/root/usr/lib/vantix/Vantix" --help \
  | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || fail "vantix --help lists no option"
manual=$(zcat "$man")
for option in $options; do
  grep -qF -- "\\-\\-${option#--}" <<<"$manual" || fail "the manual page lacks $option"
done
# Stripped, hardened binaries, without the folders they were built in; the
# debug data is in the -dbgsym package, found by build id.
for binary in Vantix vantix-wmf; do
  file "$work/root/usr/lib/vantix/$binary" | grep -q ', stripped' || fail "$binary is not stripped"
  # The hardening of Debian 12's own packages (dpkg-buildflags), which
  # leaves out control-flow protection (stack clash protection is only
  # reported, never required).
  # vantix-wmf is built with the same flags, but the compiler can prove each
  # of its few calls (read into an array, memcpy of known sizes) in bounds,
  # so none needs a checked variant and none is there to be found.
  unprovable=()
  [ "$binary" = vantix-wmf ] && unprovable=(--nofortify)
  hardening-check --nocfprotection "${unprovable[@]}" "$work/root/usr/lib/vantix/$binary" >"$work/hardening" \
    || fail "$binary: $(cat "$work/hardening")"
  for folder in "$(cd "$build" && pwd)" "$(cd "$(dirname "$0")/../.." && pwd)"; do
    ! grep -qF "$folder" "$work/root/usr/lib/vantix/$binary" || fail "$binary holds the path $folder"
  done
done
dbgsym=$(ls "$work"/deb/vantix-dbgsym_*.ddeb 2>/dev/null) || fail "no vantix-dbgsym package"
[ "$(dpkg-deb -c "$dbgsym" | grep -c '/usr/lib/debug/\.build-id/.*\.debug$')" -eq 2 ] \
  || fail "vantix-dbgsym does not hold the debug data of both binaries"
# Installed-Size counts each file once, the link bin/vantix as a link.
counted=$(( $(find "$work/root" -type f -printf '%s\n' | awk '{ k += int(($1 + 1023) / 1024) } END { print k }') \
  + $(find "$work/root" -mindepth 1 ! -type f | wc -l) ))
[ "$(dpkg-deb -f "$deb" Installed-Size)" = "$counted" ] || fail "Installed-Size $(dpkg-deb -f "$deb" Installed-Size), counted $counted"
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
