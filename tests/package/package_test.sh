#!/bin/sh
# Builds the Debian package of a finished build, unpacks it with dpkg-deb
# into a temporary root and runs the unpacked mox-cli: its version, and a
# report of the example project on the catalogue that came in the package.
#   package_test.sh CPACK BUILD_DIR VERSION EXAMPLE.mox
set -eu
cpack=$1 build=$2 version=$3 example=$4

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() { echo "FAIL: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB -B "$tmp/out" >"$tmp/cpack.log" 2>&1) || { cat "$tmp/cpack.log"; fail "cpack"; }
deb="$tmp/out/mox-norvante_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || { ls "$tmp/out"; fail "no $deb"; }

depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt5widgets5 libqt5sql5 libqt5printsupport5 libqt5sql5-sqlite; do
  echo "$depends" | grep -q "$lib" || fail "Depends lacks $lib: $depends"
done

root="$tmp/root"
dpkg-deb -x "$deb" "$root"
app="$root/usr/lib/mox-norvante"
for f in "$app/mox" "$app/mox-cli" "$app/moxproducts.db" \
         "$root/usr/share/applications/mox-norvante.desktop" \
         "$root/usr/share/mime/packages/mox-norvante.xml" \
         "$root/usr/share/icons/hicolor/48x48/apps/mox-norvante.png" \
         "$root/usr/share/icons/hicolor/256x256/apps/mox-norvante.png" \
         "$root/usr/share/icons/hicolor/48x48/mimetypes/application-x-mox.png" \
         "$root/usr/share/icons/hicolor/256x256/mimetypes/application-x-mox.png"; do
  [ -e "$f" ] || fail "missing ${f#$root}"
done
[ "$(readlink "$root/usr/bin/mox-cli")" = "../lib/mox-norvante/mox-cli" ] || fail "/usr/bin/mox-cli is no link"
[ -L "$root/usr/bin/mox" ] || fail "/usr/bin/mox is no link"

cli="$root/usr/bin/mox-cli"
out=$(env -u DISPLAY -u QT_QPA_PLATFORM "$cli" --version) || fail "--version exits $?"
[ "$out" = "mox-cli $version" ] || fail "--version says: $out"

status=0
env -u DISPLAY -u QT_QPA_PLATFORM "$cli" report "$example" >"$tmp/report.txt" 2>"$tmp/err.txt" || status=$?
cat "$tmp/report.txt"
[ "$status" -eq 0 ] || { cat "$tmp/err.txt"; fail "report exits $status"; }
[ ! -s "$tmp/err.txt" ] || { cat "$tmp/err.txt"; fail "report wrote to standard error"; }
# Through the link, the catalogue beside the real executable is found.
grep -q "^Katalog: *$app/moxproducts.db\$" "$tmp/report.txt" || fail "packaged catalogue not used"
grep -q "Magazyn Logistyka Pomorze" "$tmp/report.txt" || fail "no project name"
echo "package $(basename "$deb") unpacks and runs"
