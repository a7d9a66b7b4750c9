#!/usr/bin/env bash
# Checks the Debian package made from a build, as a packager or a software centre would:
#
#   bash tests/package/check.sh BUILD
#
# 1. `cpack -G DEB` makes the package; its Depends come from the programs' libraries.
# 2. It holds the programs in /usr/games, the packs in /usr/share/games/quorvane, the menu entry,
#    the icons, the metadata, the manual pages and the copyright file, and nothing else.
# 3. lintian finds no error; the metadata, the menu entry and both manual pages validate.
# 4. Unpacked with dpkg-deb -x, the game starts and plays from there (tests/e2e/run.sh --package).
set -euo pipefail

source_dir=$(cd "$(dirname "$0")/../.." && pwd)
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# --- 1. the package ------------------------------------------------------------------------
(cd "$build" && cpack -G DEB -B "$work/cpack" >"$work/cpack.log" 2>&1) ||
    { cat "$work/cpack.log" >&2; fail "cpack did not make the package"; }
deb=$(ls "$work"/cpack/quorvane_*.deb)
[ -f "$deb" ] || fail "no package in $work/cpack"
depends=$(dpkg-deb -f "$deb" Depends)
for library in libc6 libsdl2 libsdl2-image libsdl2-mixer libzip; do
    echo "$depends" | grep -q "$library" || fail "Depends lacks $library: $depends"
done
[ "$(dpkg-deb -f "$deb" Section)" = games ] || fail "the package is not in section games"
echo "package: ok ($(basename "$deb"); Depends: $depends)"

# --- 2. its contents -----------------------------------------------------------------------
root="$work/root"
dpkg-deb -x "$deb" "$root"
expected="./usr/games/quorvane
./usr/games/quorvane-hall
./usr/share/applications/quorvane.desktop
./usr/share/doc/quorvane/changelog.gz
./usr/share/doc/quorvane/copyright
./usr/share/games/quorvane/Graphics.paq
./usr/share/games/quorvane/Sound.paq
./usr/share/icons/hicolor/128x128/apps/quorvane.png
./usr/share/icons/hicolor/32x32/apps/quorvane.png
./usr/share/icons/hicolor/64x64/apps/quorvane.png
./usr/share/man/man6/quorvane-hall.6.gz
./usr/share/man/man6/quorvane.6.gz
./usr/share/metainfo/example.quorvane.Quorvane.metainfo.xml"
actual=$(cd "$root" && find . -type f | LC_ALL=C sort)
[ "$actual" = "$(echo "$expected" | LC_ALL=C sort)" ] ||
    fail "the package holds other files than expected:$(diff <(echo "$expected" | LC_ALL=C sort) <(echo "$actual"))"
echo "contents: ok"

# --- 3. what packagers and software centres check ------------------------------------------
lintian --fail-on error --tag-display-limit 0 --display-info "$deb" >"$work/lintian.log" 2>&1 ||
    { cat "$work/lintian.log" >&2; fail "lintian reports errors"; }
sed 's/^/lintian: /' "$work/lintian.log"
appstreamcli validate --no-net "$root/usr/share/metainfo/example.quorvane.Quorvane.metainfo.xml" ||
    fail "the metadata does not validate"
desktop-file-validate "$root/usr/share/applications/quorvane.desktop" ||
    fail "the menu entry does not validate"
for page in quorvane quorvane-hall; do
    MANWIDTH=80 man --warnings -l "$root/usr/share/man/man6/$page.6.gz" >"$work/$page.txt" \
        2>"$work/$page.err" || fail "man cannot show $page"
    [ ! -s "$work/$page.err" ] || { cat "$work/$page.err" >&2; fail "man warns about $page"; }
    grep -q "^EXIT STATUS" "$work/$page.txt" || fail "$page's manual page has no exit status"
done
# Every screenshot the metadata names is kept in the repository under its file name.
for shot in $(grep -o 'https://[^<]*/screenshots/[^<]*\.png' \
        "$root/usr/share/metainfo/example.quorvane.Quorvane.metainfo.xml"); do
    [ -f "$source_dir/desktop/screenshots/$(basename "$shot")" ] ||
        fail "no desktop/screenshots/$(basename "$shot") for $shot"
done
echo "lintian, metadata, menu entry, manual pages and screenshots: ok"

# --- 4. the unpacked game ------------------------------------------------------------------
bash "$source_dir/tests/e2e/run.sh" "$build/bin" --package "$root"
