#!/usr/bin/env bash
# Checks that everything the configure step found on this machine comes from
# a package that scripts/setup.sh installs, directly or through its
# dependencies. A CMake package configuration or a library that was only
# there because somebody installed it by hand would make the build pass here
# and fail on a fresh machine.
#
# Usage: scripts/check-packages.sh [BUILD_DIR]   (default: build)
# Exits 1 naming the packages that setup.sh does not bring in.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${1:-build}
cache="$build/CMakeCache.txt"
[ -f "$cache" ] || { echo "check-packages: $cache not found (configure first)" >&2; exit 2; }

# The files the configure step found: each <Name>_DIR package folder stands
# for the configuration file inside it; libraries found by find modules and
# pkg-config are FILEPATH entries. Include folders such as /usr/include are
# shared by many packages and say nothing, so they are left out.
found=()
while IFS= read -r line; do
    key=${line%%:*}
    value=${line#*=}
    case "$key" in
        # FindOpenGL always looks for GLU; nothing here links it.
        OPENGL_glu_LIBRARY) continue ;;
    esac
    case "$line" in
        *_DIR:PATH=*)
            [ -d "$value" ] || continue
            config=$(find "$value" -maxdepth 1 \( -name '*Config.cmake' -o -name '*-config.cmake' \) | sort | head -n 1)
            [ -n "$config" ] && found+=("$config")
            ;;
        *:FILEPATH=*)
            # Libraries only: programs such as git or valgrind that CTest
            # looks for are optional and not part of the build.
            case "$value" in *.so|*.so.*|*.a) [ -f "$value" ] && found+=("$value") ;; esac
            ;;
    esac
done < <(grep -E '^[A-Za-z0-9_.+-]+:(PATH|FILEPATH)=/' "$cache" | grep -v -- '-NOTFOUND')

if [ ${#found[@]} -eq 0 ]; then
    echo "check-packages: the configure step found nothing to check" >&2
    exit 2
fi

# Every package setup.sh installs, and everything they depend on. A
# virtual package (<libgl-dev>) is followed by the real packages providing
# it, indented, which --recurse then follows as well.
mapfile -t wanted < <(scripts/setup.sh --print-packages)
have=$(apt-cache depends --recurse --no-recommends --no-suggests --no-conflicts \
           --no-breaks --no-replaces --no-enhances "${wanted[@]}" 2>/dev/null |
       sed -e 's/^ *\(Pre\)\?Depends: //' -e 's/^ *//' -e 's/[<>]//g' -e 's/:.*$//' |
       grep -v -e '^$' -e ' ' | sort -u)

missing=()
for file in "${found[@]}"; do
    real=$(readlink -f "$file")
    owner=$(dpkg -S "$real" 2>/dev/null | head -n 1 | cut -d: -f1 | cut -d, -f1) ||
        owner=""
    if [ -z "$owner" ]; then
        owner=$(dpkg -S "$file" 2>/dev/null | head -n 1 | cut -d: -f1 | cut -d, -f1) || owner=""
    fi
    if [ -z "$owner" ]; then
        echo "check-packages: no package owns $file"
        missing+=("(unpackaged: $file)")
        continue
    fi
    if ! grep -qx -- "$owner" <<<"$have"; then
        echo "check-packages: $file comes from $owner, which setup.sh does not install"
        missing+=("$owner")
    fi
done

if [ ${#missing[@]} -gt 0 ]; then
    echo "check-packages: add to scripts/setup.sh: $(printf '%s\n' "${missing[@]}" | sort -u | tr '\n' ' ')"
    exit 1
fi
echo "check-packages: ${#found[@]} configure results, all from packages setup.sh installs"
