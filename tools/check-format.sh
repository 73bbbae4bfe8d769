#!/bin/sh
# Checks that every C and C++ file of the repository is formatted as
# .clang-format says; with --fix, formats them in place. The style is that of
# the clang-format of Debian 12 (version 14); other versions may disagree on
# details, so CI uses that one.
#   tools/check-format.sh [--fix]
set -eu
cd "$(dirname "$0")/.."
files=$(git ls-files '*.c' '*.cpp' '*.h' | grep -v '^tests/corpus/')
if [ "${1:-}" = "--fix" ]; then
    # shellcheck disable=SC2086
    clang-format -i $files
    exit 0
fi
# shellcheck disable=SC2086
if ! clang-format --dry-run --Werror $files; then
    echo "tools/check-format.sh: the files above are not formatted; run tools/check-format.sh --fix" >&2
    exit 1
fi
echo "tools/check-format.sh: $(echo "$files" | wc -l) files formatted as .clang-format says"
