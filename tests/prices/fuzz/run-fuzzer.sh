#!/usr/bin/env bash
# Builds the price file readers with clang, libFuzzer, AddressSanitizer and UBSan, and fuzzes
# them from the regression corpus for the given number of seconds (default 300). New inputs go
# to a scratch folder; copy any crash input into ../data/corpus/ so that the tests read it from
# then on. Usage: tests/prices/fuzz/run-fuzzer.sh [seconds]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../../.." && pwd)"
out="${FUZZ_OUT:-$root/build-fuzz}"
seconds="${1:-300}"
mkdir -p "$out/price-corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" "$here/PriceFileFuzz.cpp" \
  "$root/src/prices/CsvPriceReader.cpp" "$root/src/prices/JsonPriceFile.cpp" \
  "$root/src/prices/MtgjsonPriceReader.cpp" "$root/src/prices/ScryfallPriceReader.cpp" \
  "$root/src/prices/PriceTextParser.cpp" "$root/src/data/AsciiText.cpp" -lsimdjson \
  -o "$out/fuzz_price_files"
cp -n "$root/tests/prices/data/corpus/"* "$out/price-corpus/" 2>/dev/null || true
cd "$out"
./fuzz_price_files -max_total_time="$seconds" -max_len=4096 -rss_limit_mb=1024 \
  -artifact_prefix="$out/price-" price-corpus
