#!/usr/bin/env bash
# Builds the optimised program in build/package and makes the Debian package of it with CPack;
# prints the package's path on the last line.
#   scripts/package.sh            build/package/zembra_<version>_<arch>.deb
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$root/build/package"

"$root/scripts/setup.sh" package
# A package of an earlier version must not be taken for this one.
rm -f "$build"/zembra_*.deb
(cd "$build" && cpack -G DEB -B "$build") >"$build/cpack.log" 2>&1 || { cat "$build/cpack.log" >&2; exit 1; }
rm -rf "$build/_CPack_Packages"

debs=("$build"/zembra_*.deb)
if [[ ${#debs[@]} -ne 1 || ! -f ${debs[0]} ]]; then
  echo "package.sh: cpack made no single zembra_*.deb (see $build/cpack.log)" >&2
  exit 1
fi
dpkg-deb --field "${debs[0]}" Package Version Architecture Depends Recommends Installed-Size >&2
echo "${debs[0]}"
