#!/usr/bin/env bash
# Installs the build into a temporary prefix (`cmake --install`) and checks
# the layout a desktop expects: both programs in bin/, the desktop entry, the
# metainfo, our icon as SVG and in every fixed size (each PNG really of that
# size), the help file in share/roomwise (and no longer beside the program),
# the man pages and the bash completion, and the translations in
# share/roomwise/translations, where the installed program finds them (the
# translation probe, given bin/ as the program's folder, shows German).
#
# Usage: check-install.sh BUILD_DIR SOURCE_DIR [TRANSLATION_PROBE]
# Exits 1 naming each missing or wrong file.
set -uo pipefail
build=$1
src=$2
probe=${3:-}
prefix=$(mktemp -d "${TMPDIR:-/tmp}/rw-install-XXXXXX")
trap 'rm -rf "$prefix"' EXIT
status=0
fail() {
    echo "FAIL: $*"
    status=1
}

if ! env -u DESTDIR cmake --install "$build" --prefix "$prefix" >"$prefix.log" 2>&1; then
    cat "$prefix.log"
    rm -f "$prefix.log"
    echo "FAIL: cmake --install failed"
    exit 1
fi
rm -f "$prefix.log"

for program in bin/roomwise bin/roomwise-report; do
    [ -f "$prefix/$program" ] && [ -x "$prefix/$program" ] || fail "$program is missing or not executable"
done
for file in share/applications/roomwise.desktop \
    share/metainfo/io.github.roomwise.Roomwise.metainfo.xml \
    share/icons/hicolor/scalable/apps/roomwise.svg \
    share/roomwise/roomwise.hlp \
    share/man/man1/roomwise.1 share/man/man1/roomwise-report.1 \
    share/bash-completion/completions/roomwise-report \
    share/roomwise/translations/roomwise_de.qm; do
    [ -s "$prefix/$file" ] || fail "$file is missing or empty"
done
# The installed files are ours, unchanged.
cmp -s "$src/data/roomwise.hlp" "$prefix/share/roomwise/roomwise.hlp" || fail "share/roomwise/roomwise.hlp differs from data/roomwise.hlp"
cmp -s "$src/data/icons/roomwise.svg" "$prefix/share/icons/hicolor/scalable/apps/roomwise.svg" ||
    fail "the installed SVG differs from data/icons/roomwise.svg"
[ -e "$prefix/bin/roomwise.hlp" ] && fail "bin/roomwise.hlp is still installed beside the program"
cmp -s "$build/launcher/translations/roomwise_de.qm" "$prefix/share/roomwise/translations/roomwise_de.qm" ||
    fail "share/roomwise/translations/roomwise_de.qm differs from the one the build made"
[ -e "$prefix/bin/translations" ] && fail "bin/translations is installed beside the program"

# The installed program, under a German locale, finds its translation
# through ../share/roomwise/translations (no data folder may help).
if [ -n "$probe" ]; then
    empty=$prefix.nodata
    mkdir -p "$empty"
    language=$(env LC_ALL=de_DE.UTF-8 LANG=de_DE.UTF-8 LANGUAGE=de_DE.UTF-8 \
        XDG_DATA_HOME="$empty" XDG_DATA_DIRS="$empty" QT_QPA_PLATFORM=offscreen \
        "$probe" "$prefix/bin" 2>/dev/null | awk -F'\t' '$1 == "language" { print $2 }')
    rmdir "$empty"
    [ "$language" = de ] || fail "the installed program does not find its German translation (got '$language')"
fi

# A PNG's width and height are the big-endian words at bytes 16 and 20.
png_size() {
    od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $1*16777216+$2*65536+$3*256+$4, $5*16777216+$6*65536+$7*256+$8 }'
}
for size in 16 32 48 64 128 256; do
    png=$prefix/share/icons/hicolor/${size}x${size}/apps/roomwise.png
    if [ ! -s "$png" ]; then
        fail "share/icons/hicolor/${size}x${size}/apps/roomwise.png is missing"
    elif [ "$(head -c 8 "$png" | od -An -tx1 | tr -d ' \n')" != 89504e470d0a1a0a ]; then
        fail "${size}x${size}/apps/roomwise.png is not a PNG"
    elif [ "$(png_size "$png")" != "${size}x${size}" ]; then
        fail "${size}x${size}/apps/roomwise.png is $(png_size "$png")"
    fi
done

# Nothing else of ours lands in bin/.
extra=$(ls "$prefix/bin" | grep -v -x -e roomwise -e roomwise-report)
[ -z "$extra" ] || fail "unexpected files in bin/: $extra"

[ $status -eq 0 ] && echo "install layout under a temporary prefix: complete"
exit $status
