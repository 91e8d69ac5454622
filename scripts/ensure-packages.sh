# Sourced by the scripts: ensure_packages <what> <package>... installs the
# Debian packages that are missing, or fails naming them and what needed them.
ensure_packages() {
  local what="$1"
  shift
  local missing=()
  local p
  for p in "$@"; do
    dpkg -s "$p" >/dev/null 2>&1 || missing+=("$p")
  done
  ((${#missing[@]})) || return 0
  local sudo=""
  [ "$(id -u)" -eq 0 ] || sudo="sudo"
  if ! { $sudo apt-get update -qq &&
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq "${missing[@]}" >/dev/null; }; then
    echo "$what: FAILED: cannot install ${missing[*]}" >&2
    return 1
  fi
}
