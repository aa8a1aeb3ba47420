#!/usr/bin/env bash
# Builds the SMF reader's fuzz target with clang and libFuzzer.
#   fuzz/build.sh            builds build/fuzz/smf_reader_fuzz
#   fuzz/build.sh run [sec]  also fuzzes, starting from the committed corpus (default 60 s)
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
out="$root/build/fuzz"
cxx="$(command -v clang++ || command -v clang++-14 || true)"
if [[ -z "$cxx" ]]; then
  echo "clang++ is needed for libFuzzer" >&2
  exit 2
fi
mkdir -p "$out"
"$cxx" -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I "$root/src" -I "$root/fuzz" \
  "$root/fuzz/smf_reader_fuzz.cpp" "$root/src/midi/smf_reader.cpp" \
  -o "$out/smf_reader_fuzz"
echo "built $out/smf_reader_fuzz"
if [[ "${1:-}" == "run" ]]; then
  mkdir -p "$out/corpus"
  "$out/smf_reader_fuzz" -max_total_time="${2:-60}" -rss_limit_mb=512 -timeout=5 \
    "$out/corpus" "$root/tests/data/midi/fuzz-corpus"
fi
