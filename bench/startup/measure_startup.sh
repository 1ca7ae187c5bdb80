#!/usr/bin/env bash
# Start-up benchmark: time from exec to the first visible window, the processor time used until then (all
# threads; it depends little on other load of the machine), and peak resident memory, of the program (as
# built, and as installed if it is) against a minimal Qt Widgets program, on a private Xvfb display. Runs
# are interleaved so that all programs see the same machine load; medians are reported.
#
#     bench/startup/measure_startup.sh [BUILD_DIR] [RUNS]      (defaults: build/dev, 15)
#
# SETTLE_MS (default 500) is how long each program runs on after its first window appears before it is
# ended; the peak memory covers that time. 3500 covers the splash's hand-over to the main window.
# EXTRA_PROGRAMS="name=path ..." adds further programs to the same runs.
set -euo pipefail
build=${1:-build/dev}
runs=${2:-15}
settle=${SETTLE_MS:-500}
watch=$build/bench/first_map_watch

names=(minimal program)
paths=("$build/bench/minimal_qt" "$build/app/tarvex-uncertainty")
if [[ -x /usr/bin/tarvex-uncertainty ]]; then
    names+=(installed)
    paths+=(/usr/bin/tarvex-uncertainty)
fi
for extra in ${EXTRA_PROGRAMS:-}; do # NAME=PATH, to compare other builds in the same run
    names+=("${extra%%=*}")
    paths+=("${extra#*=}")
done
for path in "$watch" "${paths[@]}"; do
    [[ -x $path ]] || { echo "missing: $path (build the dev preset first)" >&2; exit 1; }
done

work=$(mktemp -d)
Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3>"$work/display" 2>/dev/null &
xvfb=$!
trap 'kill $xvfb 2>/dev/null; rm -rf "$work"' EXIT
for _ in $(seq 100); do [[ -s $work/display ]] && break; sleep 0.05; done
export DISPLAY=:$(cat "$work/display")
export QT_QPA_PLATFORM=xcb

measure() { # index -> appends "ms kib" to that program's file
    local line attempt
    for attempt in 1 2 3; do # a run that failed (the display refused the connection, say) is repeated
        if line=$("$watch" "$settle" "${paths[$1]}" 2>"$work/stderr"); then
            line=${line#map_ms=}
            line=${line/ maxrss_kib=/ }
            echo "${line/ cpu_ms=/ }" >>"$work/${names[$1]}"
            return 0
        fi
        echo "${names[$1]}, attempt $attempt: $(grep -v QStandardPaths "$work/stderr")" >&2
    done
    return 1
}
for i in "${!names[@]}"; do # warm the file cache; not counted
    measure "$i"
    : >"$work/${names[$i]}"
done
for _ in $(seq "$runs"); do
    for i in "${!names[@]}"; do
        measure "$i"
    done
done

median() { # column file
    sort -n -k"$1" "$2" | awk -v c="$1" '{v[NR] = $c} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'
}
base_ms=$(median 1 "$work/minimal")
base_kib=$(median 2 "$work/minimal")
base_cpu=$(median 3 "$work/minimal")
ratio() { awk -v a="$1" -v b="$2" 'BEGIN {print a / b}'; }
echo "$runs runs each, settle $settle ms, medians:"
printf '%-10s %12s %12s %12s %10s %10s %10s\n' program "first map" "CPU to map" "peak RSS" time CPU memory
for name in "${names[@]}"; do
    ms=$(median 1 "$work/$name")
    kib=$(median 2 "$work/$name")
    cpu=$(median 3 "$work/$name")
    printf '%-10s %9.1f ms %9.1f ms %8.1f MiB %9.2fx %9.2fx %9.2fx\n' "$name" "$ms" "$cpu" \
        "$(awk -v k="$kib" "BEGIN {print k / 1024}")" "$(ratio "$ms" "$base_ms")" "$(ratio "$cpu" "$base_cpu")" \
        "$(ratio "$kib" "$base_kib")"
done
