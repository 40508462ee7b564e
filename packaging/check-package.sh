#!/usr/bin/env bash
# Checks a built Debian package: its name, control fields and file list,
# and that lintian finds no errors in it.
#   check-package.sh PACKAGE.deb VERSION
set -euo pipefail
deb=$1 version=$2
fail() { echo "check-package: $*" >&2; exit 1; }

arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "tarvik_${version}_${arch}.deb" ] || fail "unexpected file name $(basename "$deb")"

field() { dpkg-deb --field "$deb" "$1"; }
[ "$(field Package)" = tarvik ] || fail "Package is $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version is $(field Version)"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture is $(field Architecture)"
[ -n "$(field Maintainer)" ] || fail "no Maintainer"
# Dependencies come from the linked libraries (dpkg-shlibdeps).
depends=$(field Depends)
for lib in libc6 libstdc++6 libqt6widgets6 libqt6gui6 libqt6core6; do
  grep -q "\b$lib\b" <<<"$depends" || fail "Depends lacks $lib: $depends"
done

files=$(dpkg-deb --contents "$deb" | awk '{print $6}' | sed 's|^\./|/|')
for path in /usr/bin/tarvik /usr/bin/tarvik-decode /usr/share/tarvik/stations.txt \
            /usr/share/tarvik/LICENSE-stations.txt /usr/share/applications/tarvik.desktop \
            /usr/share/icons/hicolor/256x256/apps/tarvik.png /usr/share/man/man1/tarvik.1.gz \
            /usr/share/man/man1/tarvik-decode.1.gz /usr/share/doc/tarvik/copyright \
            /usr/share/doc/tarvik/changelog.gz /usr/lib/python3/dist-packages/tarvik/__init__.py \
            /usr/lib/python3/dist-packages/tarvik/dask.py \
            "/usr/lib/python3/dist-packages/tarvik/_core.$(/usr/bin/python3 -c 'import sysconfig; print(sysconfig.get_config_var("SOABI"))').so"; do
  grep -qx "$path" <<<"$files" || fail "missing $path"
done
# Nothing from the build tree: no tests, benchmarks or headers.
if grep -E 'tarvik_tests|bench|screenshot|/include/|\.a$' <<<"$files"; then
  fail "files that do not belong in the package"
fi

grep -q "python3 (>= 3.11)" <<<"$depends" || fail "Depends lacks python3: $depends"

# The Python package as installed: it imports, finds the station directory
# installed beside it, and decodes.
root=$(mktemp -d)
trap 'rm -rf "$root"' EXIT
dpkg-deb --extract "$deb" "$root"
PYTHONPATH=$root/usr/lib/python3/dist-packages /usr/bin/python3 -c "
import tarvik
frame = tarvik.read_frame(['METAR KJFK 121751Z 24010KT 10SM FEW250 24/12 A3001'])
assert str(frame['Station.Name'][0]) == 'KENNEDY INTERNAT', frame['Station.Name'][0]
assert str(frame['Wind.Speed'].dtype) == 'Int32'
" || fail "the installed Python package does not work"

if command -v lintian >/dev/null; then
  lintian --fail-on error --suppress-tags-from-file /dev/null "$deb"
else
  echo "check-package: lintian is not installed; not run" >&2
fi
echo "check-package: $(basename "$deb") is complete"
