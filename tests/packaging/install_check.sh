#!/usr/bin/env bash
# What `cmake --install` puts on a system, staged in a temporary folder: the
# files, a desktop entry that desktop-file-validate accepts, a MIME type that
# update-mime-database takes (glob and magic), manual pages without groff
# warnings, and an installed editor that keeps its files in the user's data
# folder. Then, where dpkg-deb is present, the .deb: its files and the Debian
# packages it depends on.
# Usage: install_check.sh BUILD_DIR
set -u
build=$(cd "$1" && pwd)
work=$(mktemp -d)
trap 'kill -9 $(jobs -p) 2>/dev/null; rm -rf "$work"' EXIT
fail() { echo "install_check: $*" >&2; exit 1; }

stage="$work/stage"
DESTDIR="$stage" cmake --install "$build" --prefix /usr >"$work/install.log" 2>&1 ||
    { cat "$work/install.log" >&2; fail "cmake --install failed"; }

expected="usr/bin/morva-schedule-generator
usr/bin/mvstool
usr/share/applications/morva-schedule-generator.desktop
usr/share/doc/morva-schedule-generator/README.md
usr/share/doc/morva-schedule-generator/mvstool.md
usr/share/icons/hicolor/scalable/apps/morva-schedule-generator.svg
usr/share/man/man1/morva-schedule-generator.1.gz
usr/share/man/man1/mvstool.1.gz
usr/share/mime/packages/morva-schedule-generator.xml
usr/share/morva-schedule-generator/example.json"
installed=$(cd "$stage" && find . -type f | sed 's|^\./||' | LC_ALL=C sort)
[ "$installed" = "$expected" ] || fail "installed files differ:
$(diff <(echo "$expected") <(echo "$installed"))"

# The desktop entry.
command -v desktop-file-validate >/dev/null || fail "desktop-file-validate is missing (desktop-file-utils)"
entry="$stage/usr/share/applications/morva-schedule-generator.desktop"
desktop-file-validate "$entry" || fail "desktop-file-validate refused the entry"
grep -qx 'Exec=morva-schedule-generator %f' "$entry" || fail "the entry does not pass the file on"
grep -qx 'MimeType=application/x-morva-schedule;' "$entry" || fail "the entry names no .mvs type"

# The MIME type, compiled as the desktop compiles it.
mime="$stage/usr/share/mime"
XDG_DATA_DIRS="$stage/usr/share" XDG_DATA_HOME="$stage/usr/share" update-mime-database "$mime" 2>"$work/mime.log" || { cat "$work/mime.log" >&2; fail "update-mime-database failed"; }
[ ! -s "$work/mime.log" ] || { cat "$work/mime.log" >&2; fail "update-mime-database warned"; }
grep -q '^50:application/x-morva-schedule:\*\.mvs$' "$mime/globs2" || fail "no *.mvs glob: $(cat "$mime/globs2")"
grep -aq 'application/x-morva-schedule' "$mime/magic" || fail "no magic for the type"
grep -aq 'MORVA' "$mime/magic" || fail "the magic does not hold MORVA"
xmllint --noout "$stage/usr/share/icons/hicolor/scalable/apps/morva-schedule-generator.svg" ||
    fail "the icon is not well-formed SVG"

# Manual pages.
for page in "$stage"/usr/share/man/man1/*.1.gz; do
    warnings=$(zcat "$page" | LC_ALL=C.UTF-8 groff -man -ww -z -Tutf8 2>&1)
    [ -z "$warnings" ] || fail "$(basename "$page"): $warnings"
done

# The installed programs run from the staged place; the editor keeps its
# files in the user's data folder, never beside itself, even for root.
"$stage/usr/bin/mvstool" --version | grep -q '^mvstool ' || fail "mvstool --version"
home="$work/home"
mkdir -p "$home"
data="$home/.local/share/Morva/Morva Schedule Generator"
HOME="$home" XDG_DATA_HOME= XDG_RUNTIME_DIR= QT_QPA_PLATFORM=offscreen \
    "$stage/usr/bin/morva-schedule-generator" >"$work/editor.log" 2>&1 &
editor=$!
for ((i = 0; i < 100; i++)); do
    [ -d "$data" ] && break
    sleep 0.1
done
kill "$editor" 2>/dev/null
wait "$editor" 2>/dev/null
[ -d "$data" ] || { cat "$work/editor.log" >&2; fail "the installed editor made no folder in $data"; }
[ "$(ls "$stage/usr/bin" | LC_ALL=C sort | paste -sd' ')" = "morva-schedule-generator mvstool" ] ||
    fail "the installed editor wrote beside itself: $(ls "$stage/usr/bin")"

# The package.
if ! command -v dpkg-deb >/dev/null; then
    echo "install_check: no dpkg-deb here; the package is not built"
    exit 0
fi
(cd "$work" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package") \
    >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$(ls "$work"/package/*.deb 2>/dev/null | head -1)
[ -f "$deb" ] || fail "cpack made no .deb"
contents=$(dpkg-deb -c "$deb" | awk '$1 !~ /^d/ {print $NF}' | sed 's|^\./||' | LC_ALL=C sort)
[ "$contents" = "$expected" ] || fail "the package holds other files:
$(diff <(echo "$expected") <(echo "$contents"))"
depends=$(dpkg-deb -f "$deb" Depends)
for package in libqt6core6 libqt6gui6 libqt6widgets6 libqt6network6 qt6-qpa-plugins; do
    [[ ", $depends," == *", $package"[\ ,]* ]] || fail "the package does not depend on $package: $depends"
done
[ "$(dpkg-deb -f "$deb" Package)" = morva-schedule-generator ] || fail "package name"
echo "install_check: $(basename "$deb") depends on: $depends"
echo "install_check: all checks passed"
