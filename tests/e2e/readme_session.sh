#!/usr/bin/env bash
# Runs the README's "session from scratch" as a newcomer types it, in an
# empty folder, through scripts/run.sh; the launcher's dialogs are answered
# by a response file (OK, OK, then Escape on the restart notice). Checks
# that every command succeeds and that the session did what it says.
#   readme_session.sh <source folder>
set -euo pipefail
root=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_DATA_HOME="$work/data"
printf 'click 1\nclick 1\nclick 2\n' >"$work/answers"
export VELTRIN_UI="script:$work/answers"

# The indented lines between the session's markers, without their comments.
session=$(sed -n '/<!-- session from scratch/,/<!-- end of the session -->/p' "$root/README.md" |
  sed -n 's/^    //p' | sed 's/ *#.*$//')
if [ -z "$session" ]; then
  echo "readme_session: no session from scratch in README.md" >&2
  exit 1
fi

cd "$work"
while IFS= read -r line; do
  echo "+ $line"
  if ! eval "${line//scripts\/run.sh/\"$root/scripts/run.sh\"}" >"$work/out" 2>&1; then
    cat "$work/out"
    echo "readme_session: FAILED: $line" >&2
    exit 1
  fi
  cat "$work/out"
done <<<"$session"

journal=$(cat pc/journal.log)
for line in 'WinExec "E:\\autorun.exe"' 'NetShareAdd "C_Drive"' 'ExitWindowsEx 2' 'Boot' \
  'Setup.exe ran'; do
  grep -qF -- "$line" <<<"$journal" || {
    echo "readme_session: the journal lacks \"$line\":" >&2
    echo "$journal" >&2
    exit 1
  }
done
[ -f "$XDG_DATA_HOME/veltrin/machine/registry.reg" ] || {
  echo "readme_session: no default machine after the reset" >&2
  exit 1
}
echo "the session ran as typed"
