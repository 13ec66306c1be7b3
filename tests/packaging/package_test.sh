#!/usr/bin/env bash
# Builds the Debian package from the build folder (nothing is compiled), checks its file list,
# its desktop entry, AppStream metadata and manual pages, unpacks it into a temporary root and
# runs the command line tool from there; lintian, when installed, must find no error.
# Arguments: the source folder, the build folder, the expected file list.
set -uo pipefail
source_dir="$1"
build_dir="$2"
expected="$3"
missing=""
for tool in dpkg-deb dpkg-shlibdeps desktop-file-validate appstreamcli man; do
  command -v "$tool" >/dev/null || missing="$missing $tool"
done
if [ -n "$missing" ]; then
  echo "SKIPPED: missing$missing (Debian packages dpkg-dev, desktop-file-utils, appstream, man-db)"
  exit 77
fi
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
fail() { echo "FAILED: $*"; exit 1; }

deb=$("$source_dir/scripts/package" --no-build --build "$build_dir" --output "$work") ||
  fail "scripts/package"
[ -f "$deb" ] || fail "no package at $deb"
case "$(basename "$deb")" in quillhour_*_amd64.deb | quillhour_*_"$(dpkg --print-architecture)".deb) ;;
  *) fail "package name $(basename "$deb")" ;;
esac

# The files, without owners and dates; folders end with /.
dpkg-deb -c "$deb" | awk '{ $1 = $2 = $3 = $4 = $5 = ""; sub(/^ +/, ""); print }' |
  sed 's|^\./||; /^$/d' | sort >"$work/files.txt"
if ! diff -u "$expected" "$work/files.txt"; then
  fail "the package's files differ from $expected (- expected, + in the package)"
fi
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends names no Qt 6 library"
dpkg-deb -f "$deb" Description | grep -q 'time' || fail "no Description"

root="$work/root"
dpkg -x "$deb" "$root"
desktop-file-validate "$root/usr/share/applications/io.quillhour.Quillhour.desktop" ||
  fail "desktop-file-validate"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.quillhour.Quillhour.metainfo.xml" ||
  fail "appstreamcli validate"
for page in "$root"/usr/share/man/man1/*.1.gz; do
  warnings=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$page" 2>&1 >/dev/null)
  [ -z "$warnings" ] || fail "$page: $warnings"
done
zcat "$root/usr/share/man/man1/quillhour-cli.1.gz" | grep -q '/usr/lib/quillhour/' ||
  fail "quillhour-cli(1) does not name the installed program folder"
grep -q "License: SIL-OFL-1.1\|License: OFL-1.1" "$root/usr/share/doc/quillhour/copyright" ||
  fail "the copyright file does not name the report font's licence"

cli="$root/usr/bin/quillhour-cli"
help=$("$cli" --help) || fail "quillhour-cli --help"
case "$help" in "Usage: quillhour-cli"*) ;; *) fail "quillhour-cli --help printed: $help" ;; esac
export APPDATA="$work/appdata"
"$cli" --datadir "$work/data" sample-data >"$work/sample.txt" || fail "quillhour-cli sample-data"
[ -f "$work/data/Data/_ExportFormats/ef-Timesheet.txt" ] || fail "sample-data wrote no formats"
"$cli" --datadir "$work/data" check >/dev/null || fail "quillhour-cli check on the sample data"

if command -v lintian >/dev/null; then
  lintian --no-tag-display-limit "$deb" >"$work/lintian.txt" 2>&1
  cat "$work/lintian.txt"
  ! grep -q '^E: ' "$work/lintian.txt" || fail "lintian found errors"
else
  echo "lintian is not installed: the package was not linted"
fi
echo "package: $(basename "$deb") passed"
