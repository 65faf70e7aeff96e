#!/usr/bin/env bash
# Configures (once) and builds the project incrementally into build/.
set -euo pipefail
cd "$(dirname "$0")/.."

bash scripts/install-deps.sh

launcher=()
if command -v ccache >/dev/null 2>&1; then
  export CCACHE_DIR="${CCACHE_DIR:-$HOME/.cache/mammo-ccache}"
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
fi

if [[ ! -f build/build.ninja ]]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE="${BUILD_TYPE:-Debug}" "${launcher[@]}"
fi
cmake --build build --parallel "${BUILD_JOBS:-2}"
