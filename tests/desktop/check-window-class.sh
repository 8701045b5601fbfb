#!/usr/bin/env bash
# Starts the program under a virtual X server of its own (xvfb-run, with a
# temporary home) and checks that its window's class is the desktop entry's
# StartupWMClass, the value docks and task bars match windows to the entry by.
#
# Usage: check-window-class.sh PROGRAM DESKTOP_FILE
set -uo pipefail
program=$1
desktop=$2
class=$(sed -n 's/^StartupWMClass=//p' "$desktop" | head -n 1)
[ -n "$class" ] || { echo "FAIL: $desktop has no StartupWMClass"; exit 1; }
[ -x "$program" ] || { echo "FAIL: $program is not built"; exit 1; }
home=$(mktemp -d "${TMPDIR:-/tmp}/rw-wmclass-XXXXXX")
trap 'rm -rf "$home"' EXIT
pattern="^$(printf '%s' "$class" | sed 's/[][\.*^$+?(){}|/]/\\&/g')\$"

# Inside the X session: start the program, wait up to 60 s for a window of
# that class, stop the program.
inner='
"$1" >/dev/null 2>&1 &
pid=$!
found=1
for _ in $(seq 120); do
    if xdotool search --class "$2" >/dev/null 2>&1; then found=0; break; fi
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.5
done
kill "$pid" 2>/dev/null
wait "$pid" 2>/dev/null
exit $found'
HOME=$home XDG_CONFIG_HOME=$home/config XDG_DATA_HOME=$home/data XDG_CACHE_HOME=$home/cache \
    XDG_RUNTIME_DIR=$home QT_QPA_PLATFORM=xcb \
    xvfb-run -a sh -c "$inner" sh "$program" "$pattern"
if [ $? -ne 0 ]; then
    echo "FAIL: no window of class '$class' (StartupWMClass) appeared"
    exit 1
fi
echo "the program's window class is '$class', as StartupWMClass says"
