#!/usr/bin/env bash
# Installs what is missing, builds and starts Roomwise.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup.sh
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    echo "No display found. Start Roomwise under a virtual display with:"
    echo "    xvfb-run -a build/launcher/roomwise"
    exit 1
fi
exec build/launcher/roomwise "$@"
