#!/usr/bin/env bash
# Start-up of the program against minimal Qt Widgets windows (an empty one, and one showing a line
# of text): milliseconds from launch to the window's first paint on the screen, and peak resident
# memory, as medians over interleaved runs on one virtual X server. The processor time that each
# start took is shown beside, as it depends less on what else the machine is doing.
# Usage: bench/startup/measure.sh <build-dir> [runs]
set -euo pipefail
build=${1:?usage: $0 <build-dir> [runs]}
runs=${2:-15}
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb

declare -A times memories cpus
# one_run <name> <program> [arguments...]
one_run() {
    local name=$1 log elapsed
    shift
    log=$(mktemp)
    elapsed=$(STARTUP_T0_NS=$(date +%s%N) /usr/bin/time -v -o "$log" "$@" 2>/dev/null)
    times[$name]+="$elapsed "
    memories[$name]+="$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log") "
    cpus[$name]+="$(awk -F': ' '/(User|System) time/ {s += $2} END {printf "%.0f", s * 1000}' "$log") "
    rm -f "$log"
}

dir=$build/bench/startup
contenders=(velmora empty label)
run_contender() {
    case $1 in
    velmora) one_run velmora "$dir/velmora_startup" ;;
    empty) one_run empty "$dir/baseline_startup" ;;
    label) one_run label "$dir/baseline_startup" label ;;
    esac
}

# The first start of each fills the page cache; it is not counted.
for contender in "${contenders[@]}"; do run_contender "$contender"; done
times=() memories=() cpus=()
for ((i = 0; i < runs; i++)); do
    for contender in "${contenders[@]}"; do run_contender "$contender"; done
done

median() { tr ' ' '\n' | grep . | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
printf '%-20s %12s %14s %12s   %s\n' "median of $runs runs" "first paint" "peak memory" \
    "processor" "Velmora's ratios"
vt=$(median <<<"${times[velmora]}") vm=$(median <<<"${memories[velmora]}")
vc=$(median <<<"${cpus[velmora]}")
for contender in "${contenders[@]}"; do
    t=$(median <<<"${times[$contender]}") m=$(median <<<"${memories[$contender]}")
    c=$(median <<<"${cpus[$contender]}")
    printf '%-20s %9s ms %11s kB %9s ms   %s\n' "$contender" "$t" "$m" "$c" \
        "$(awk "BEGIN {printf \"%.2f / %.2f / %.2f\", $vt / $t, $vm / $m, $vc / $c}")"
done
