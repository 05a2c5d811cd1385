#!/bin/bash
# Runs the file-operation benchmarks and sets them against the system's own tools in the same run:
# hashing against `openssl dgst`, pasting against `cp -r` and `cp -a`, a sparse file's copy against `cp`,
# 10,000 selected files against `cp` on the scratch folder's file system and on tmpfs; then history appends
# from one and from four writers at once. Large scratch files go to the second argument (default: the build folder) and are
# removed afterwards.
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

mib=${ONDRAVELL_BENCH_HASH_MIB:-1024}
runs=${ONDRAVELL_BENCH_HASH_RUNS:-5}
echo "== Hashing a $mib MiB file, each run a fresh process: the module's hash action against openssl dgst"
# The module's real path (bench/Extensions/FinderSync/hash-selection runs its hash action's worker on
# the file), so that what the whole process does, its buffers and reads included, is what is measured.
# The runs of the two alternate; the median wall time of each is compared (ratio = openssl / ours, so
# 1.00 or more means as fast or faster). The file is read once before, so both read from the page cache.
hashfile=$ONDRAVELL_BENCH_DIR/ondravell-hash-compare.bin
trap 'rm -rf "$out" "$hashfile"' EXIT
head -c $((mib << 20)) /dev/urandom >"$hashfile"
cat "$hashfile" >/dev/null
hasher=$build/bench/Extensions/FinderSync/hash-selection
# Prints "wall user system" in seconds for one run of the command; its output goes to $out/digest.
timed() { local TIMEFORMAT='%R %U %S'; { time "$@" >"$out/digest" 2>"$out/log"; } 2>&1; }
median() { sort -n | awk '{ v[NR] = $1 } END { print v[int((NR + 1) / 2)] }'; }
printf '%-8s %10s %10s %10s %10s %10s %10s %7s\n' digest ours_s user_s sys_s openssl_s user_s sys_s ratio
for alg in md5 sha1 sha256 sha384 sha512; do
    : >"$out/ours"; : >"$out/theirs"
    for _ in $(seq "$runs"); do
        timed "$hasher" "$alg" "$hashfile" >>"$out/ours" || { cat "$out/log"; exit 1; }
        ours_digest=$(cat "$out/digest")
        timed openssl dgst "-$alg" -r "$hashfile" >>"$out/theirs" || { cat "$out/log"; exit 1; }
        theirs_digest=$(cut -d' ' -f1 "$out/digest")
        [ "$ours_digest" = "$theirs_digest" ] || { echo "$alg digests differ: $ours_digest $theirs_digest"; exit 1; }
    done
    o=$(median <"$out/ours"); t=$(median <"$out/theirs")
    ou=$(awk -v m="$o" '$1 == m { print $2, $3; exit }' "$out/ours")
    tu=$(awk -v m="$t" '$1 == m { print $2, $3; exit }' "$out/theirs")
    awk -v a="$alg" -v o="$o" -v t="$t" -v ou="$ou" -v tu="$tu" 'BEGIN {
        split(ou, x, " "); split(tu, y, " ");
        printf "%-8s %10.3f %10.3f %10.3f %10.3f %10.3f %10.3f %7.2f\n", a, o, x[1], x[2], t, y[1], y[2], t / o }'
done
rm -f "$hashfile"
echo "maxRSS_MiB of the in-process hasher on a $mib MiB file and on a 16 MiB one:"
"$bin/FileHasherBench" --benchmark_filter='FileHasher/sha512' \
    --benchmark_out="$out/hash.json" --benchmark_out_format=json >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
ONDRAVELL_BENCH_HASH_MIB=16 "$bin/FileHasherBench" --benchmark_filter='FileHasher/sha512' \
    --benchmark_out="$out/small.json" --benchmark_out_format=json >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
echo "$(field "$out/hash.json" FileHasher/sha512/ maxRSS_MiB) $(field "$out/small.json" FileHasher/sha512/ maxRSS_MiB)"

echo "== Pasting 10,000 small files (one extended attribute each) and a ${ONDRAVELL_BENCH_PASTE_MIB:-1024} MiB file: paste against cp -r and cp -a"
"$bin/FileOperatorBench" --benchmark_out="$out/paste.json" --benchmark_out_format=json >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
ours=$(field "$out/paste.json" PasteCopy/ real_time)
theirs=$(field "$out/paste.json" CpRecursive/ real_time)
awk -v o="$ours" -v t="$theirs" 'BEGIN { printf "paste copy %.0f ms, cp -r %.0f ms, ratio %.2f\n", o, t, o / t }'
theirs=$(field "$out/paste.json" CpArchive/ real_time)
awk -v o="$ours" -v t="$theirs" 'BEGIN { printf "paste copy %.0f ms, cp -a %.0f ms, ratio %.2f\n", o, t, o / t }'
for who in PasteSparse CpSparse; do
    t=$(field "$out/paste.json" "$who/" real_time)
    kib=$(field "$out/paste.json" "$who/" diskKiB)
    awk -v w="$who" -v t="$t" -v k="$kib" 'BEGIN { printf "1 GiB file holding 4 KiB of data, %s: %.1f ms, the copy takes %.0f KiB on disk\n", w, t, k }'
done
# 10,000 files selected one by one, pasted beside cp of the same files, on the file system named.
selection() {
    local ours theirs
    ours=$(field "$1" PasteSelection/ real_time)
    theirs=$(field "$1" CpSelection/ real_time)
    awk -v o="$ours" -v t="$theirs" -v fs="$2" \
        'BEGIN { printf "10,000 selected files on %s: paste copy %.0f ms, cp %.0f ms, ratio %.2f\n", fs, o, t, o / t }'
}
selection "$out/paste.json" "$(df --output=fstype "$ONDRAVELL_BENCH_DIR" | tail -1)"
# The same in memory, where the disk does not hide what each item costs: $ONDRAVELL_BENCH_TMPFS, or
# /dev/shm when that is a tmpfs.
memory=${ONDRAVELL_BENCH_TMPFS:-/dev/shm}
if [ "$(df --output=fstype "$memory" 2>/dev/null | tail -1)" = tmpfs ]; then
    ONDRAVELL_BENCH_DIR=$memory ONDRAVELL_BENCH_PASTE_MIB=1 "$bin/FileOperatorBench" --benchmark_filter=Selection \
        --benchmark_out="$out/memory.json" --benchmark_out_format=json >/dev/null 2>"$out/log" || { cat "$out/log"; exit 1; }
    selection "$out/memory.json" tmpfs
fi
small=$(field "$out/paste.json" PasteMoveThereAndBack/100files real_time)
large=$(field "$out/paste.json" PasteMoveThereAndBack/10000files real_time)
awk -v s="$small" -v l="$large" \
    'BEGIN { printf "move there and back within one file system: 100 files %.0f us, 10,000 files + large %.0f us\n", s, l }'

echo "== Appending to a full history (50 entries), with every write flushed to disk"
"$build/bench/core/FileOps/history-writers" 1 300 "$ONDRAVELL_BENCH_DIR"
"$build/bench/core/FileOps/history-writers" 4 250 "$ONDRAVELL_BENCH_DIR"
