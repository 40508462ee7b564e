#!/bin/sh
# tarvik answers --version and --help with no display at all (no X, no
# Wayland, no Qt platform chosen), before Qt would look for one, and says so
# when it cannot write the answer.
#   command-line.sh TARVIK VERSION
set -u
tarvik=$1
version=$2
errors=$(mktemp)
trap 'rm -f "$errors"' EXIT

fail() {
  echo "command-line.sh: $*" >&2
  cat "$errors" >&2
  exit 1
}
run() { env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$tarvik" "$@" 2>"$errors"; }

out=$(run --version) || fail "--version: exit status $?"
[ "$out" = "tarvik $version" ] || fail "--version printed '$out'"
[ -s "$errors" ] && fail "--version wrote to standard error"

# Other arguments are ignored, before and after.
out=$(run -x --help --version) || fail "--help: exit status $?"
[ "$(printf '%s\n' "$out" | head -n 1)" = "Usage: tarvik [--help | --version]" ] ||
  fail "--help begins '$(printf '%s\n' "$out" | head -n 1)'"
for expected in "tarvik is a desktop program that decodes aviation routine weather reports" \
                "  --version  print the version and exit"; do
  printf '%s\n' "$out" | grep -qxF -- "$expected" || fail "--help lacks '$expected':
$out"
done
[ -s "$errors" ] && fail "--help wrote to standard error"

if [ -w /dev/full ]; then
  run --version >/dev/full && fail "--version to a full disk: exit status 0"
  grep -q '^tarvik: cannot write the version: ' "$errors" || fail "--version to a full disk"
fi
exit 0
