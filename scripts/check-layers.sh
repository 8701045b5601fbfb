#!/usr/bin/env bash
# The layer rules of the source tree, checked on the includes of every source
# file (run as a test; `--arrows` prints the include arrows between top-level
# folders instead).
#
# Engine code (platform/, base/ and every */core/ folder) talks to the
# user only through the MessageResponder its caller hands over: it never
# includes the program-wide responder (base/ProgramMessages.h) nor any
# header of a window layer. System calls live in platform/ only: no other
# source file (tests, benchmarks and fuzz targets excepted) includes
# <sys/...>, <unistd.h>, <fcntl.h> or <dirent.h>. Exits 1 and names each
# offending line otherwise.
set -euo pipefail
root=${1:-$(cd "$(dirname "$0")/.." && pwd)}
[ "${1:-}" = "--arrows" ] && root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"

sources() {
    git ls-files -- '*.h' '*.cpp' 2>/dev/null ||
        find . -name '*.h' -o -name '*.cpp' | sed 's|^\./||'
}

is_engine() {
    case "$1" in
    platform/* | base/* | */core/*) return 0 ;;
    *) return 1 ;;
    esac
}

# The top-level layer a path belongs to: tools/<tool> and */core count apart.
layer() {
    local p=$1
    case "$p" in
    tools/*/core/*) echo "$p" | cut -d/ -f1-3 ;;
    tools/*) echo "$p" | cut -d/ -f1-2 ;;
    */core/*) echo "$p" | cut -d/ -f1-2 ;;
    *) echo "$p" | cut -d/ -f1 ;;
    esac
}

if [ "${1:-}" = "--arrows" ]; then
    sources | grep -v -E '^(tests|bench|fuzz)/' | while read -r f; do
        { grep -o -E '^#include "[^"]+"' "$f" || true; } | sed -E 's/#include "(.*)"/\1/' | while read -r inc; do
            [ -f "$inc" ] || continue
            from=$(layer "$f")
            to=$(layer "$inc")
            if [ "$from" != "$to" ]; then echo "$from -> $to"; fi
        done
    done | sort | uniq -c | sort -k2
    exit 0
fi

status=0
while read -r f; do
    is_engine "$f" || continue
    # The program-wide responder's own definition.
    [ "$f" = "base/ProgramMessages.cpp" ] && continue
    while IFS=: read -r line inc; do
        inc=${inc#*\"}
        inc=${inc%\"*}
        if [ "$inc" = "base/ProgramMessages.h" ]; then
            echo "$f:$line: engine code includes the program-wide responder ($inc); take a MessageResponder from the caller"
            status=1
        elif [ -f "$inc" ] && ! is_engine "$inc"; then
            echo "$f:$line: engine code includes a window-layer header ($inc)"
            status=1
        fi
    done < <(grep -n -E '^#include "' "$f" || true)
done < <(sources)

while read -r f; do
    case "$f" in
    platform/* | tests/* | bench/* | fuzz/*) continue ;;
    esac
    while IFS=: read -r line inc; do
        echo "$f:$line: system header outside platform/ (${inc#\#include }); call a platform/ function instead"
        status=1
    done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include[[:space:]]*<(sys/[^>]+|unistd\.h|fcntl\.h|dirent\.h)>' "$f" || true)
done < <(sources)

[ $status -eq 0 ] && echo "check-layers: engine code reaches no window layer and no program-wide responder; system headers only in platform/"
exit $status
