#!/usr/bin/env bash
# Applies .clang-format to every C++ source and header of the project, in place.
# With --check it changes nothing and lists the files that differ from the style instead,
# ending with status 1 when there are any.
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
mode=apply
[ "${1:-}" = "--check" ] && mode=check
mapfile -d '' files < <(find app macroengine tools tests bench -type f \
  \( -name '*.cpp' -o -name '*.h' -o -name '*.c' \) -print0 | sort -z)
if [ "$mode" = check ]; then
  status=0
  for f in "${files[@]}"; do
    if ! "$format" --style=file "$f" | cmp -s - "$f"; then
      echo "$f"
      status=1
    fi
  done
  exit $status
fi
"$format" --style=file -i "${files[@]}"
