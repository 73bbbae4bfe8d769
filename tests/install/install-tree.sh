#!/usr/bin/env bash
# The install tree end to end: `cmake --install` into a fresh prefix gives
# every file a player and a desktop need, valid for the desktop's validators;
# the game runs from there started in any folder, still runs after the tree
# is moved to another prefix, writes nothing into the tree, and without its
# data files says which folders it searched.
#   tests/install/install-tree.sh SOURCE_DIR BUILD_DIR
set -euo pipefail
source_dir="${1:?usage: install-tree.sh SOURCE_DIR BUILD_DIR}"
build="${2:?usage: install-tree.sh SOURCE_DIR BUILD_DIR}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "install-tree: $*" >&2; exit 1; }

cmake --install "$build" --prefix "$work/first" > /dev/null
cd "$work/first"

expected=(
  games/ironkeel bin/ironkeel-dat
  share/ironkeel/general.dat share/ironkeel/series1.dat share/ironkeel/series2.dat share/ironkeel/series3.dat
  share/ironkeel/series4.dat share/ironkeel/waves.dat share/ironkeel/music.dat
  share/ironkeel/general.en.dat share/ironkeel/series1.en.dat share/ironkeel/series2.en.dat
  share/ironkeel/series3.en.dat share/ironkeel/series4.en.dat share/locale/en/LC_MESSAGES/ironkeel.mo
  share/applications/org.ironkeel.Ironkeel.desktop share/metainfo/org.ironkeel.Ironkeel.metainfo.xml
  share/man/man6/ironkeel.6.gz share/man/man1/ironkeel-dat.1.gz
  share/doc/ironkeel/copyright share/doc/ironkeel/changelog.gz
)
for size in 16 32 48 64 128 256; do expected+=("share/icons/hicolor/${size}x${size}/apps/ironkeel.png"); done
for file in "${expected[@]}"; do [ -f "$file" ] || fail "missing from the install tree: $file"; done
library=$(find . -path '*/ironkeel/libtrackaudio.so' -type f)
[ -n "$library" ] || fail "libtrackaudio.so is not in a private library folder"
case "$library" in ./lib*/ironkeel/libtrackaudio.so) ;; *) fail "libtrackaudio.so in an unexpected place: $library" ;; esac
for binary in games/ironkeel bin/ironkeel-dat "$library"; do
  if readelf -d "$binary" | grep -Eq 'RPATH|RUNPATH'; then fail "$binary carries a library search path"; fi
done
for size in 16 32 48 64 128 256; do
  file "share/icons/hicolor/${size}x${size}/apps/ironkeel.png" | grep -q "$size x $size" ||
    fail "the ${size}x${size} icon has another size"
done

desktop-file-validate share/applications/org.ironkeel.Ironkeel.desktop
appstreamcli validate --no-net share/metainfo/org.ironkeel.Ironkeel.metainfo.xml > "$work/appstream.txt" ||
  { cat "$work/appstream.txt" >&2; fail "appstreamcli refused the metadata"; }
for page in share/man/man6/ironkeel.6.gz share/man/man1/ironkeel-dat.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 > /dev/null || true)
  [ -z "$warnings" ] || fail "$page: $warnings"
done

# Nothing may be written into the tree at run time (root writes anywhere, so
# the tree is compared before and after rather than made read-only).
snapshot() { (cd "$1" && find . -printf '%p %s %T@\n' | sort); }
snapshot "$work/first" > "$work/before.txt"
"$source_dir/tools/check-installed.sh" "$work/first/games/ironkeel"
snapshot "$work/first" | diff "$work/before.txt" - || fail "the game wrote into its install tree"

mv "$work/first" "$work/moved"
"$source_dir/tools/check-installed.sh" "$work/moved/games/ironkeel"
# The moved game still finds its English catalogue: no complaint on stderr.
english=$(cd "$work" && "$work/moved/games/ironkeel" --headless --language en --script /dev/null \
  --scores "$work" 2>&1) || fail "the installed game in English: $english"
[ -z "$english" ] || fail "the installed game in English: $english"
snapshot "$work/moved" | diff "$work/before.txt" - || fail "the moved game wrote into its install tree"

# Without its data files the game names the folders it searched and ends with status 1.
mv "$work/moved/share/ironkeel" "$work/data-gone"
mkdir -p "$work/empty"
status=0
(cd "$work/empty" && env HOME="$work/empty" XDG_DATA_HOME="$work/empty/xdg" XDG_DATA_DIRS="$work/empty/sys" \
   "$work/moved/games/ironkeel" --headless --script /dev/null) > "$work/missing.txt" 2>&1 || status=$?
[ "$status" -eq 1 ] || fail "missing data files: status $status, expected 1"
grep -q "Nepodařilo se načíst datový soubor. Zkontrolujte přítomnost souborů GENERAL.DAT a WAVES.DAT ve složce hry." \
  "$work/missing.txt" || fail "missing data files: not the game's message"
grep -q "not found; searched $work/empty, $work/moved/share/ironkeel, $work/empty/xdg/ironkeel, $work/empty/sys/ironkeel" \
  "$work/missing.txt" || { cat "$work/missing.txt" >&2; fail "missing data files: the searched folders are not named"; }
echo "install-tree: all checks passed"
