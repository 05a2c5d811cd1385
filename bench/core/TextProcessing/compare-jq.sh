#!/usr/bin/env bash
# Times the JSON re-writer against jq on the same generated 10 MB document, best of three runs each
# (wall-clock and CPU time, which stays meaningful on a busy machine):
#   bench/core/TextProcessing/compare-jq.sh [build folder]   (default: build/main)
set -euo pipefail
ROOT="$(cd "$(dirname "$0")/../../.." && pwd)"
BUILD="${1:-$ROOT/build/main}"
TOOL="$BUILD/bench/core/TextProcessing/json-reprint"
[ -x "$TOOL" ] || { echo "json-reprint not built in $BUILD" >&2; exit 1; }
command -v jq >/dev/null || { echo "jq is not installed" >&2; exit 1; }

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT
doc="$work/doc.json"
"$TOOL" generate $((10 * 1024 * 1024)) "$doc"

best() {  # best <output file> <command...>: fastest of three runs, "wall ms / cpu ms"
    local out="$1" wall="" cpu="" times w u s c
    shift
    for _ in 1 2 3; do
        times=$( { TIMEFORMAT='%R %U %S'; time "$@" >"$out"; } 2>&1 )
        read -r w u s <<<"$times"
        w=$(awk -v x="$w" 'BEGIN { printf "%d", x * 1000 }')
        c=$(awk -v x="$u" -v y="$s" 'BEGIN { printf "%d", (x + y) * 1000 }')
        if [ -z "$wall" ] || [ "$w" -lt "$wall" ]; then wall=$w; fi
        if [ -z "$cpu" ] || [ "$c" -lt "$cpu" ]; then cpu=$c; fi
    done
    echo "$wall / $cpu"
}

echo "document: $(stat -c %s "$doc") bytes"
ours_pretty=$(best "$work/ours-pretty.json" "$TOOL" pretty "$doc")
jq_pretty=$(best "$work/jq-pretty.json" jq -S . "$doc")
ours_minify=$(best "$work/ours-minify.json" "$TOOL" minify "$doc")
jq_minify=$(best "$work/jq-minify.json" jq -S -c . "$doc")
printf '%-8s %22s %22s\n' "" "json-reprint" "jq"
printf '%-8s %22s %22s\n' "" "(wall / cpu ms)" "(wall / cpu ms)"
printf '%-8s %22s %22s\n' pretty "$ours_pretty" "$jq_pretty" minify "$ours_minify" "$jq_minify"

# Both programs must have written the same document (jq rounds numbers, so compare through jq).
if cmp -s <(jq -S -c . "$work/ours-pretty.json") "$work/jq-minify.json" &&
    cmp -s <(jq -S -c . "$work/ours-minify.json") "$work/jq-minify.json"; then
    echo "outputs agree"
else
    echo "outputs differ" >&2
    exit 1
fi
