#!/usr/bin/env bash
# Writes the Windows packages of a build made by tools/windows/build.sh:
# ironkeel-VERSION-windows-x64.zip (one folder, runs from wherever it is
# unpacked) and ironkeel-VERSION-windows-x64-setup.exe (NSIS; installs for the
# current user, without administrator rights).
#
#   tools/windows/package.sh BUILD_DIR
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)"
build="$(cd "$1" && pwd)"
version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' "$build/CMakeCache.txt")"
name="ironkeel-$version-windows-x64"
stage="$build/package"

rm -rf "$stage" "$build/$name.zip" "$build/$name-setup.exe"
cmake --install "$build" --prefix "$stage/$name" --strip >/dev/null
# The same bytes for the same tree: no time stamps of the build in the archive.
find "$stage" -exec touch -h -d "@${SOURCE_DATE_EPOCH:-946684800}" {} +
(cd "$stage" && find "$name" -type f | LC_ALL=C sort >"$stage/files.txt" &&
  cmake -E tar cf "$build/$name.zip" --format=zip --files-from="$stage/files.txt")
# The uninstaller removes what was installed, file by file, and so keeps the
# player's records ("scores.dat") and whatever else the player put there.
(cd "$stage/$name" && find . -type f | sed 's|^\./||; s|/|\\|g' | LC_ALL=C sort |
  sed 's|.*|  Delete "$INSTDIR\\&"|' &&
  find . -mindepth 1 -type d | sed 's|^\./||; s|/|\\|g' | LC_ALL=C sort -r | sed 's|.*|  RMDir "$INSTDIR\\&"|') \
  >"$stage/uninstall.nsh"
makensis -V2 -INPUTCHARSET UTF8 -DVERSION="$version" -DSOURCE="$stage/$name" -DICON="$build/windows/ironkeel.ico" \
  -DUNINSTALL_LIST="$stage/uninstall.nsh" -DOUTFILE="$build/$name-setup.exe" \
  "$root/dist/windows/installer.nsi"
ls -l "$build/$name.zip" "$build/$name-setup.exe"
