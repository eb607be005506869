#!/usr/bin/env bash
# Builds the trade list file reader with clang, libFuzzer, AddressSanitizer and UBSan, and
# fuzzes it from the regression corpus for the given number of seconds (default 300).
# New inputs go to a scratch folder; copy any crash input into ../data/corpus/ so that the
# tests read it from then on. Usage: tests/trade/fuzz/run-fuzzer.sh [seconds]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
out="${FUZZ_OUT:-$root/build-fuzz}"
seconds="${1:-300}"
mkdir -p "$out/corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" "$here/TradeListFileFuzz.cpp" \
  "$root/src/trade/TradeListFile.cpp" "$root/src/trade/TradeListEntry.cpp" \
  "$root/src/trade/TextCodec.cpp" "$root/src/trade/TradeList.cpp" \
  -o "$out/fuzz_trade_list_file"
cp -n "$root/tests/trade/data/corpus/"* "$out/corpus/" 2>/dev/null || true
cd "$out"
./fuzz_trade_list_file -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=512 \
  -artifact_prefix="$out/" corpus
