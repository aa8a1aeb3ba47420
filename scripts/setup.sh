#!/usr/bin/env bash
# Installs the missing Debian packages, then configures and builds one flavour of Zembra.
#   scripts/setup.sh release   optimised program in build/release
#   scripts/setup.sh test      tests with AddressSanitizer and UBSan in build/test
#   scripts/setup.sh package   the program alone, optimised, in build/package (for cpack)
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
flavour="${1:-release}"

install_missing() {
  local wanted=() missing=()
  mapfile -t wanted < <(grep -v '^\s*#' "$root/scripts/debian-packages.txt" | sed '/^\s*$/d')
  for pkg in "${wanted[@]}"; do
    dpkg-query -W -f='${Status}' "$pkg" 2>/dev/null | grep -q 'install ok installed' || missing+=("$pkg")
  done
  ((${#missing[@]} == 0)) && return 0
  echo "Installing: ${missing[*]}"
  local sudo=()
  [[ $(id -u) -ne 0 ]] && sudo=(sudo)
  "${sudo[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}"
}

install_missing

jobs="$(nproc)"
# A compiler cache, where one is installed, makes rebuilds of several checkouts cheap.
launcher=()
if command -v ccache >/dev/null; then
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
  export CCACHE_BASEDIR="${CCACHE_BASEDIR:-$(dirname "$root")}" CCACHE_NOHASHDIR=1
fi
case "$flavour" in
  release)
    cmake -S "$root" -B "$root/build/release" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DZEMBRA_BUILD_TESTS=OFF -DZEMBRA_BUILD_BENCH=ON "${launcher[@]}" >/dev/null
    cmake --build "$root/build/release" -j "$jobs"
    ;;
  test)
    cmake -S "$root" -B "$root/build/test" -G Ninja -DCMAKE_BUILD_TYPE=Debug \
      -DZEMBRA_SANITIZE=ON -DZEMBRA_WARNINGS_AS_ERRORS=ON -DZEMBRA_BUILD_TESTS=ON -DZEMBRA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
    cmake --build "$root/build/test" -j "$jobs"
    ;;
  package)
    cmake -S "$root" -B "$root/build/package" -G Ninja -DCMAKE_BUILD_TYPE=Release \
      -DZEMBRA_BUILD_TESTS=OFF -DZEMBRA_BUILD_BENCH=OFF "${launcher[@]}" >/dev/null
    cmake --build "$root/build/package" -j "$jobs"
    ;;
  *)
    echo "usage: $0 release|test|package" >&2
    exit 2
    ;;
esac
