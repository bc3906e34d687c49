#!/usr/bin/env bash
# Formats the C++ sources (engine game tools bench fuzz tests) with the
# layout in .clang-format.
#
#   scripts/format.sh           rewrites every file that is not laid out so
#   scripts/format.sh --check   changes nothing; lists the files that would
#                               change and exits 1 when there are any
set -euo pipefail
cd "$(dirname "$0")/.."
format=$(command -v clang-format-14 || command -v clang-format || true)
if [ -z "$format" ]; then
  echo "format.sh: clang-format not found (Debian package clang-format-14)" >&2
  exit 2
fi
check=0
case "${1:-}" in
  --check) check=1 ;;
  "") ;;
  *) echo "usage: scripts/format.sh [--check]" >&2; exit 2 ;;
esac
mapfile -t files < <(git ls-files engine game tools bench fuzz tests | grep -E '\.(cpp|h|hpp|cc)$')
if [ "$check" = 0 ]; then
  "$format" -i --style=file "${files[@]}"
  exit 0
fi
changed=0
for file in "${files[@]}"; do
  if ! "$format" --style=file "$file" | cmp -s - "$file"; then
    echo "$file"
    changed=1
  fi
done
exit "$changed"
