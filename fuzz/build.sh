#!/usr/bin/env bash
# Builds the SMF reader's fuzz target with clang and libFuzzer.
#   fuzz/build.sh            builds build/fuzz/fuzz/smf_reader_fuzz
#   fuzz/build.sh run [sec]  also fuzzes, starting from the committed corpus (default 60 s)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/fuzz"
cxx="$(command -v clang++ || command -v clang++-14 || true)"
if [[ -z "$cxx" ]]; then
  echo "clang++ is needed for libFuzzer" >&2
  exit 2
fi
# The fuzz target links the codec's own library, built with clang and the fuzzer's coverage.
cmake -S "$root" -B "$out" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_COMPILER="$cxx" \
  -DZEMBRA_BUILD_FUZZ=ON -DZEMBRA_BUILD_TESTS=OFF -DZEMBRA_BUILD_BENCH=OFF >/dev/null
cmake --build "$out" --target smf_reader_fuzz
bin="$out/fuzz/smf_reader_fuzz"
echo "built $bin"
if [[ "${1:-}" == "run" ]]; then
  mkdir -p "$out/corpus"
  "$bin" -max_total_time="${2:-60}" -rss_limit_mb=512 -timeout=5 \
    "$out/corpus" "$root/tests/data/midi/fuzz-corpus"
fi
