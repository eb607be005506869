#!/usr/bin/env bash
# Builds the fuzz target of one file reader with clang, libFuzzer, AddressSanitizer and UBSan,
# and fuzzes it from that reader's regression corpus for the given number of seconds (default
# 300). The program is built from the target and the sources of src/ that it includes, found by
# following its includes (each header's .cpp beside it), so a reader that moves or splits needs
# no change here. Everything goes to build-fuzz/ (or $FUZZ_OUT): new inputs to a scratch folder,
# crash inputs beside it; copy a crash input into the reader's corpus folder so that the tests
# read it from then on.
# Usage: tests/fuzz/run-fuzzer.sh READER [seconds]
#   prices  the price file readers (CSV and TSV, the JSON kinds)   corpus tests/prices/data/corpus
#   trade   the trade list file reader (.ryn)                      corpus tests/trade/data/corpus
set -euo pipefail
root="$(cd "$(dirname "$0")/../.." && pwd)"
reader="${1:-}"
seconds="${2:-300}"
case "$reader" in
prices)
  target=tests/prices/fuzz/PriceFileFuzz.cpp corpus=tests/prices/data/corpus rss_mb=1024 ;;
trade)
  target=tests/trade/fuzz/TradeListFileFuzz.cpp corpus=tests/trade/data/corpus rss_mb=512 ;;
*)
  echo "usage: $0 prices|trade [seconds]" >&2
  exit 2 ;;
esac
out="${FUZZ_OUT:-$root/build-fuzz}"

# The program's sources: the target, and the sources of src/ that implement the headers it
# reaches. Quoted includes are followed through the including file's folder and src/; a .cpp of
# src/ implements the header its first include names (as each file of src/ begins), and its
# own includes are followed in turn.
declare -A implementers=()
while IFS= read -r cpp; do
  first="$(sed -n 's/^#include "\(.*\)"/\1/p' "$cpp" | head -n 1)"
  [[ -n $first && -f $root/src/$first ]] && implementers[$root/src/$first]+="$cpp "
done < <(find "$root/src" -name '*.cpp')
declare -A seen=()
sources=("$root/$target")
queue=("$root/$target")
while ((${#queue[@]} > 0)); do
  file="${queue[0]}"
  queue=("${queue[@]:1}")
  while read -r header; do
    for candidate in "$(dirname "$file")/$header" "$root/src/$header"; do
      [[ -f $candidate ]] || continue
      candidate="$(realpath "$candidate")"
      if [[ -z ${seen[$candidate]:-} ]]; then
        seen[$candidate]=1
        queue+=("$candidate")
        for cpp in ${implementers[$candidate]:-}; do
          if [[ -z ${seen[$cpp]:-} ]]; then
            seen[$cpp]=1
            sources+=("$cpp")
            queue+=("$cpp")
          fi
        done
      fi
      break
    done
  done < <(sed -n 's/^#include "\(.*\)"/\1/p' "$file")
done

mkdir -p "$out/$reader-corpus"
clang++ -std=c++20 -g -O1 -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=undefined \
  -I"$root/src" "${sources[@]}" -lsimdjson -lsqlite3 -o "$out/fuzz_$reader"
cp -n "$root/$corpus/"* "$out/$reader-corpus/" 2>/dev/null || true
cd "$out"
"./fuzz_$reader" -max_total_time="$seconds" -max_len=4096 -rss_limit_mb="$rss_mb" \
  -artifact_prefix="$out/$reader-" "$reader-corpus"
