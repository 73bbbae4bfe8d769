#!/usr/bin/env bash
# Shared by the cross-builds (tools/windows/, tools/web/): the dependencies are
# built from Debian 12's own source packages, so they are the versions the
# Linux build links and apt has checked their signatures. Source this file.
#
#   ik_deps_enable_sources          make apt see the deb-src lines (once)
#   ik_deps_version PACKAGE [DIR]   the version unpacked in DIR, else the newest, e.g. 2.26.5+dfsg-1
#   ik_deps_cache TARGET            the folder outside the clone that keeps TARGET's builds
#   ik_deps_unpack PACKAGE DIR      unpack the source into DIR (once); prints the source folder,
#                                   and DIR/PACKAGE.version says which version it is
#
# The cache is $IK_DEPS_CACHE, else $XDG_CACHE_HOME/ironkeel-deps, else
# ~/.cache/ironkeel-deps; a build keyed by the versions it was made from is
# reused by every later clone on the machine.

ik_deps_as_root() {
  if [ "$(id -u)" -ne 0 ]; then sudo "$@"; else "$@"; fi
}

ik_deps_enable_sources() {
  local list=/etc/apt/sources.list.d/ironkeel-deb-src.sources
  if apt-cache showsrc zlib 2>/dev/null | grep -q '^Package:'; then
    return 0
  fi
  if [ ! -f "$list" ]; then
    local from=/etc/apt/sources.list.d/debian.sources
    if [ -f "$from" ]; then
      sed 's/^Types:.*/Types: deb-src/' "$from" | ik_deps_as_root tee "$list" >/dev/null
    else
      grep -h '^deb ' /etc/apt/sources.list | sed 's/^deb /deb-src /' |
        ik_deps_as_root tee /etc/apt/sources.list.d/ironkeel-deb-src.list >/dev/null
    fi
  fi
  ik_deps_as_root apt-get update -qq
}

ik_deps_versions() {
  # Every version apt knows of, newest first: a security update whose source
  # the mirror does not carry falls back to the release's own.
  apt-cache showsrc --only-source "$1" | sed -n 's/^Version: //p' | sort -Vru
}

ik_deps_version() {
  # The version ik_deps_unpack fetched into DIR, else the newest known.
  local package="$1" dir="${2:-}"
  if [ -n "$dir" ] && [ -f "$dir/$package.version" ]; then
    cat "$dir/$package.version"
  else
    ik_deps_versions "$package" | head -n 1
  fi
}

ik_deps_cache() {
  local root="${IK_DEPS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/ironkeel-deps}"
  mkdir -p "$root/$1"
  printf '%s\n' "$root/$1"
}

ik_deps_unpack() {
  local package="$1" dir="$2" version upstream folder
  mkdir -p "$dir"
  if [ -f "$dir/$package.version" ]; then
    version="$(cat "$dir/$package.version")"
    upstream="${version#*:}"
    printf '%s\n' "$dir/$package-${upstream%-*}"
    return 0
  fi
  for version in $(ik_deps_versions "$package"); do
    upstream="${version#*:}"
    folder="$dir/$package-${upstream%-*}"
    rm -rf "$folder"
    if (cd "$dir" && apt-get source --only-source -qq "$package=$version" >/dev/null 2>&1) && [ -d "$folder" ]; then
      printf '%s\n' "$version" >"$dir/$package.version"
      printf '%s\n' "$folder"
      return 0
    fi
  done
  echo "debian-source: could not fetch the source of $package (is deb-src enabled?)" >&2
  return 1
}
