#!/usr/bin/env bash
# Folder scan benchmark: our catalog (tavrel-cli scan) against mediainfo and
# exiftool -fast2 on the same generated folder of one-minute recordings, each
# tool in one batch process, in the same run. Also counts the read system
# calls our scan makes per recording.
#
# usage: bench/scan_bench.sh [BUILD_DIR] [COUNT]
# Recordings are one minute at 30 frames a second, with a small picture to keep
# the folder a few gigabytes: a scan reads headers, index and telemetry only.
# Figures are for a warm page cache: every tool reads the folder once before
# it is timed, so all three are measured on the same footing.
set -euo pipefail
cd "$(dirname "$0")/.."

build=${1:-build}
count=${2:-2000}
folder=$build/bench-folder-$count
cli=$build/tools/cli/tavrel-cli
samplegen=$build/tools/samplegen/tavrel-samplegen
repeats=3

if [ ! -d "$folder" ]; then
  echo "writing $count recordings into $folder ..."
  "$samplegen" bench-folder "$folder" --count "$count" --fps 30 --width 64 --height 48 >/dev/null
fi
files=$(find "$folder" -type f -name '*.AVI' | wc -l)

# Best of $repeats wall-clock seconds of a command, after one warm-up run.
best_seconds() {
  "$@" >/dev/null 2>&1
  local best=""
  for _ in $(seq "$repeats"); do
    local start end elapsed
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1
    end=$(date +%s.%N)
    elapsed=$(echo "$end - $start" | bc -l)
    if [ -z "$best" ] || [ "$(echo "$elapsed < $best" | bc -l)" = 1 ]; then
      best=$elapsed
    fi
  done
  echo "$best"
}

listed=$("$cli" scan "$folder" | python3 -c 'import json,sys; print(len(json.load(sys.stdin)["files"]))')
[ "$listed" = "$files" ] || { echo "catalog listed $listed of $files recordings" >&2; exit 1; }

ours=$(best_seconds "$cli" scan "$folder")
mediainfo_s=$(best_seconds mediainfo --Output=JSON "$folder")
exiftool_s=$(best_seconds exiftool -fast2 -r -json -ext AVI "$folder")

rate() { echo "scale=0; $files / $1" | bc -l; }
printf '%-22s %10s %12s\n' tool seconds files/s
printf '%-22s %10.3f %12s\n' "tavrel catalog" "$ours" "$(rate "$ours")"
printf '%-22s %10.3f %12s\n' "mediainfo" "$mediainfo_s" "$(rate "$mediainfo_s")"
printf '%-22s %10.3f %12s\n' "exiftool -fast2" "$exiftool_s" "$(rate "$exiftool_s")"
printf 'ratio: catalog is %.1fx mediainfo and %.1fx exiftool -fast2\n' \
  "$(echo "$mediainfo_s / $ours" | bc -l)" "$(echo "$exiftool_s / $ours" | bc -l)"

# Read system calls of the whole scan process, per recording.
trace=$(mktemp)
strace -f -c -e trace=read,pread64,readv,preadv -o "$trace" "$cli" scan "$folder" >/dev/null
reads=$(awk '$NF ~ /^(read|pread64|readv|preadv)$/ { sum += $4 } END { print sum + 0 }' "$trace")
rm -f "$trace"
printf 'read system calls: %d for %d recordings, %.2f per recording\n' \
  "$reads" "$files" "$(echo "$reads / $files" | bc -l)"
