#!/usr/bin/env bash
# Installs what is missing, builds Zembra and starts it: ./run.sh [file.mid]
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
"$root/scripts/setup.sh" release
exec "$root/build/release/src/zembra" "$@"
