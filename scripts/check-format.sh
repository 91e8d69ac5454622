#!/usr/bin/env bash
# Fails on any C or C++ file that the formatter would change (.clang-format at
# the root), naming each. Debian's clang-format, the one the code was
# formatted with. To format a file: clang-format -i <file>.
set -euo pipefail
cd "$(dirname "$0")/.."

. scripts/ensure-packages.sh
ensure_packages check-format clang-format

unformatted=()
while IFS= read -r -d '' file; do
  clang-format --dry-run -Werror "$file" >/dev/null 2>&1 || unformatted+=("$file")
done < <(git ls-files -z '*.cpp' '*.h' '*.c')

if ((${#unformatted[@]})); then
  echo "check-format: FAILED: ${#unformatted[@]} file(s) not formatted (clang-format -i <file>):" >&2
  printf '  %s\n' "${unformatted[@]}" >&2
  exit 1
fi
echo "check-format: ok ($(clang-format --version | grep -o '[0-9][0-9.]*' | head -1))"
