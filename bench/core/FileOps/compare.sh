#!/bin/bash
# Runs the file-operation benchmarks and sets them against the system's own tools in the same run:
# hashing against `openssl dgst`, pasting against `cp -r`. Large scratch files go to the second argument
# (default: the build folder) and are removed afterwards.
#   bench/core/FileOps/compare.sh [build folder] [scratch folder]
set -euo pipefail
build=$(realpath "${1:-build}")
export ONDRAVELL_BENCH_DIR=$(realpath "${2:-$build}")
bin=$build/bench/core/FileOps
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
df -h "$ONDRAVELL_BENCH_DIR" | tail -1 | awk '{ print "scratch file system: " $1 ", " $4 " free" }'

# The value of one field of the first benchmark whose name starts with the prefix.
field() { jq -r --arg p "$2" --arg f "$3" '[.benchmarks[] | select(.name | startswith($p))][0][$f]' "$1"; }

echo "== Hashing a ${ONDRAVELL_BENCH_HASH_MIB:-1024} MiB file: FileHasher against openssl dgst"
"$bin/FileHasherBench" --benchmark_out="$out/hash.json" --benchmark_out_format=json >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
printf '%-8s %12s %12s %8s %12s\n' digest ours_MB/s openssl_MB/s ratio maxRSS_MiB
for alg in md5 sha1 sha256 sha384 sha512; do
    ours=$(field "$out/hash.json" "FileHasher/$alg/" bytes_per_second)
    theirs=$(field "$out/hash.json" "OpensslDgst/$alg/" bytes_per_second)
    rss=$(field "$out/hash.json" "FileHasher/$alg/" maxRSS_MiB)
    awk -v a="$alg" -v o="$ours" -v t="$theirs" -v r="$rss" \
        'BEGIN { printf "%-8s %12.0f %12.0f %8.2f %12.1f\n", a, o / 1e6, t / 1e6, o / t, r }'
done
ONDRAVELL_BENCH_HASH_MIB=16 "$bin/FileHasherBench" --benchmark_filter='FileHasher/sha512' \
    --benchmark_out="$out/small.json" --benchmark_out_format=json >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
echo "maxRSS_MiB hashing a 16 MiB file instead: $(field "$out/small.json" FileHasher/sha512/ maxRSS_MiB)"

echo "== Pasting 10,000 small files and a ${ONDRAVELL_BENCH_PASTE_MIB:-1024} MiB file: paste against cp -r"
"$bin/FileOperatorBench" --benchmark_out="$out/paste.json" --benchmark_out_format=json >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
ours=$(field "$out/paste.json" PasteCopy/ real_time)
theirs=$(field "$out/paste.json" CpRecursive/ real_time)
awk -v o="$ours" -v t="$theirs" 'BEGIN { printf "paste copy %.0f ms, cp -r %.0f ms, ratio %.2f\n", o, t, o / t }'
ours=$(field "$out/paste.json" PasteSelection/ real_time)
theirs=$(field "$out/paste.json" CpSelection/ real_time)
awk -v o="$ours" -v t="$theirs" 'BEGIN { printf "10,000 selected files: paste copy %.0f ms, cp %.0f ms, ratio %.2f\n", o, t, o / t }'
small=$(field "$out/paste.json" PasteMoveThereAndBack/100files real_time)
large=$(field "$out/paste.json" PasteMoveThereAndBack/10000files real_time)
awk -v s="$small" -v l="$large" \
    'BEGIN { printf "move there and back within one file system: 100 files %.0f us, 10,000 files + large %.0f us\n", s, l }'

echo "== Appending to a history of 50 entries"
"$bin/OperationHistoryBench" --benchmark_out="$out/history.json" --benchmark_out_format=json >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
echo "append $(field "$out/history.json" appendToFullHistory real_time) us (wall), load $(field "$out/history.json" loadFullHistory real_time) us"
