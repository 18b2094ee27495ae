#!/usr/bin/env bash
# Checks an installed editor under PREFIX: the layout, the desktop entry, the MIME type, and an
# editor started headless on a package given on its command line, which it must open.
#   check-installed.sh PREFIX
set -euo pipefail
prefix=$1
fail() { echo "FAIL: $*" >&2; exit 1; }

for f in bin/tessellary bin/tessellary-skn \
         "share/tessellary/skins/(default).skn" share/tessellary/modello.dat \
         share/tessellary/translations/qtbase_it.qm \
         share/applications/tessellary.desktop share/mime/packages/tessellary.xml \
         share/icons/hicolor/scalable/apps/tessellary.svg; do
  [ -f "$prefix/$f" ] || fail "missing $f"
done
for size in 16 24 32 48 64 128 256; do
  png="$prefix/share/icons/hicolor/${size}x${size}/apps/tessellary.png"
  [ -f "$png" ] || fail "missing $size px icon"
done
# Everything lands under bin and share: nothing of the build (tests, tools) comes along.
stray=$(cd "$prefix" && find . -type f ! -path './bin/*' ! -path './share/*')
[ -z "$stray" ] || fail "files outside bin and share: $stray"
[ -z "$(ls "$prefix/bin" | grep -v '^tessellary\(-skn\)\?$' || true)" ] || fail "stray programs"

desktop-file-validate "$prefix/share/applications/tessellary.desktop"
grep -q '^Exec=tessellary %f$' "$prefix/share/applications/tessellary.desktop" ||
  fail "Exec line"

work=$(mktemp -d)
editor=
cleanup() {
  if [ -n "$editor" ]; then
    kill "$editor" 2>/dev/null || true
    wait "$editor" 2>/dev/null || true
  fi
  rm -rf "$work"
}
trap cleanup EXIT

# The MIME database takes the type: its glob and the package's leading bytes.
mkdir -p "$work/mime/packages"
cp "$prefix/share/mime/packages/tessellary.xml" "$work/mime/packages/"
update-mime-database "$work/mime" >"$work/mime.log" 2>&1 || { cat "$work/mime.log" >&2; fail "MIME"; }
grep -q 'application/x-quenlark-skin:\*\.skn' "$work/mime/globs2" || fail "MIME glob"
grep -q 'application/x-quenlark-skin' "$work/mime/magic" || fail "MIME magic"

# A user of its own: data, settings, runtime and temporary folders all under $work.
mkdir -p "$work/home" "$work/data" "$work/config" "$work/tmp" "$work/runtime"
chmod 700 "$work/runtime"
cp "$prefix/share/tessellary/modello.dat" "$work/home/Lontano.skn"
HOME="$work/home" XDG_DATA_HOME="$work/data" XDG_CONFIG_HOME="$work/config" \
  XDG_RUNTIME_DIR="$work/runtime" TMPDIR="$work/tmp" QT_QPA_PLATFORM=offscreen \
  "$prefix/bin/tessellary" "$work/home/Lontano.skn" >"$work/editor.log" 2>&1 &
editor=$!

# Opened: it went into the recent list, which is written at once.
settings="$work/config/Tessellary/Tessellary.conf"
for _ in $(seq 1 200); do
  if grep -q 'Lontano.skn' "$settings" 2>/dev/null; then break; fi
  kill -0 "$editor" 2>/dev/null || { cat "$work/editor.log" >&2; fail "the editor ended"; }
  sleep 0.1
done
grep -q 'Lontano.skn' "$settings" 2>/dev/null || { cat "$work/editor.log" >&2; fail "not opened"; }
[ -f "$work/tmp/QuenlarkSkin/skin.ini" ] || fail "nothing unpacked"
# The user's skins folder, made on the first start with the default skin in it.
[ -f "$work/data/Tessellary/skins/(default).skn" ] || fail "no user skins folder"
cmp -s "$work/data/Tessellary/skins/(default).skn" \
  "$prefix/share/tessellary/skins/(default).skn" || fail "default skin not copied"
echo "installed editor under $prefix: ok"
