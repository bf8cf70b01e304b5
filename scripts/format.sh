#!/usr/bin/env bash
# Lays out every C++ file of the project by .clang-format.
#   --check   change nothing; fail, naming each file and line, when any file is not laid out
set -euo pipefail
cd "$(dirname "$0")/.."

mapfile -t files < <(find applet bench cli db digest framework host platform res service tests ui \
  -name '*.cpp' -o -name '*.h' | sort)
if [ "${1:-}" = "--check" ]; then
  clang-format --dry-run --Werror "${files[@]}"
else
  clang-format -i "${files[@]}"
fi
