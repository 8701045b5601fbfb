#!/usr/bin/env bash
# Checks the desktop entry and the AppStream metainfo file the way a desktop
# and a software centre read them: desktop-file-validate and
# `appstreamcli validate --no-net` must report no error (warnings and
# pedantic notes are shown but pass), and the files must
# agree with each other and with what the program sets at start-up
# (launcher/main.cpp): the entry's file name is the desktop file name, its
# Name and StartupWMClass are the application name (the window class), it
# opens folders (%F, inode/directory) and names our icon.
#
# Usage: check-desktop-files.sh SOURCE_DIR [DESKTOP_FILE METAINFO_FILE]
# Exits 1 naming each fault.
set -uo pipefail
src=$1
desktop=${2:-$src/data/roomwise.desktop}
metainfo=${3:-$src/data/io.github.roomwise.Roomwise.metainfo.xml}
main=$src/launcher/main.cpp
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

for tool in desktop-file-validate appstreamcli; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is not installed (scripts/setup.sh)"; exit 1; }
done

out=$(desktop-file-validate "$desktop" 2>&1)
rc=$?
[ -n "$out" ] && echo "$out"
if [ $rc -ne 0 ] || grep -q 'error:' <<<"$out"; then
    fail "desktop-file-validate reports errors in $desktop"
fi

out=$(appstreamcli validate --no-net "$metainfo" 2>&1)
rc=$?
echo "$out"
# Warnings make the exit status 3 as well; only errors (E:) count here, and
# a failure with neither errors nor warnings means the tool itself failed.
if grep -qE '^E:' <<<"$out" || { [ $rc -ne 0 ] && ! grep -qE '^W:' <<<"$out"; }; then
    fail "appstreamcli validate reports errors in $metainfo"
fi

# What the program sets about itself.
app_name=$(sed -n 's/.*setApplicationName(QStringLiteral("\(.*\)")).*/\1/p' "$main")
desktop_id=$(sed -n 's/.*setDesktopFileName(QStringLiteral("\(.*\)")).*/\1/p' "$main")
[ -n "$app_name" ] || fail "no application name found in $main"
[ -n "$desktop_id" ] || fail "no desktop file name found in $main"

key() { sed -n "s/^$1=//p" "$desktop" | head -n 1; }
[ "$(basename "$desktop")" = "$desktop_id.desktop" ] ||
    fail "the entry is $(basename "$desktop"), the program says $desktop_id.desktop"
[ "$(key Name)" = "$app_name" ] || fail "Name=$(key Name), the program is called $app_name"
[ "$(key StartupWMClass)" = "$app_name" ] ||
    fail "StartupWMClass=$(key StartupWMClass), the window class is $app_name"
exec_line=$(key Exec)
[[ $exec_line =~ ^roomwise\ %[FU]$ ]] || fail "Exec=$exec_line does not pass the chosen paths"
[[ ";$(key MimeType)" == *";inode/directory;"* ]] || fail "MimeType does not list inode/directory"
[ "$(key Icon)" = roomwise ] || fail "Icon=$(key Icon), our icon is roomwise"
[ -s "$src/data/icons/roomwise.svg" ] || fail "data/icons/roomwise.svg is missing"
[ -n "$(key Categories)" ] || fail "no Categories"
[ -n "$(key Keywords)" ] || fail "no Keywords"

# The metainfo names the entry and the programs, and is named after its id.
id=$(sed -n 's:.*<id>\(.*\)</id>.*:\1:p' "$metainfo" | head -n 1)
[ "$(basename "$metainfo")" = "$id.metainfo.xml" ] ||
    fail "$(basename "$metainfo") does not match the component id $id"
launchable=$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")
[ "$launchable" = "$(basename "$desktop")" ] ||
    fail "<launchable> is '$launchable', the entry is $(basename "$desktop")"
for binary in roomwise roomwise-report; do
    grep -q "<binary>$binary</binary>" "$metainfo" || fail "the metainfo does not provide $binary"
done

[ $status -eq 0 ] && echo "desktop entry and metainfo: valid and consistent"
exit $status
