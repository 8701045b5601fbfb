# Sourced by the build scripts: compile through ccache when it is there, with
# paths taken relative to the checkout, so a fresh clone elsewhere (as CI
# makes) reuses what an earlier build compiled. Sets LAUNCHER for cmake.
LAUNCHER=()
if command -v ccache >/dev/null 2>&1; then
    LAUNCHER=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
    export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$PWD}"
    export CCACHE_NOHASHDIR="${CCACHE_NOHASHDIR:-1}"
fi
