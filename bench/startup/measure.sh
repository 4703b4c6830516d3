#!/usr/bin/env bash
# Start-up of the program against minimal Qt Widgets windows of its size (an empty one, one showing
# a line of Latin text, one showing a line of Chinese text in the program's own face): milliseconds
# from launch to the first frame on the screen, and peak resident memory, as medians over
# interleaved runs on one virtual X server. The processor time that each start took up to that
# frame is shown beside, as it depends less on what else the machine is doing. A start that shows
# nothing within its patience ends the measurement with a message that names it, and a non-zero
# status.
# Usage: bench/startup/measure.sh <build-dir> [runs]
set -euo pipefail
build=${1:?usage: $0 <build-dir> [runs]}
runs=${2:-15}
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
export QT_QPA_PLATFORM=xcb
# Each program gives up after 10 s without a paint; the outer limit also ends one that hangs before
# its event loop runs.
patience=15

declare -A times memories cpus
# one_run <name> <program> [arguments...]
one_run() {
    local name=$1 log output status=0
    shift
    log=$(mktemp)
    output=$(STARTUP_T0_NS=$(date +%s%N) timeout "$patience" /usr/bin/time -v -o "$log" "$@" \
        2>/dev/null) || status=$?
    if [[ $status -ne 0 || ! $output =~ ^[0-9.]+\ [0-9.]+$ ]]; then
        rm -f "$log"
        echo "$0: $name showed no first frame (status $status, output '$output')" >&2
        exit 1
    fi
    times[$name]+="${output% *} "
    cpus[$name]+="${output#* } "
    memories[$name]+="$(awk -F': ' '/Maximum resident set size/ {print $2}' "$log") "
    rm -f "$log"
}

dir=$build/bench/startup
contenders=(velmora "empty window" "Latin label" "same-face label")
run_contender() {
    case $1 in
    velmora) one_run "$1" "$dir/velmora_startup" ;;
    "empty window") one_run "$1" "$dir/baseline_startup" ;;
    "Latin label") one_run "$1" "$dir/baseline_startup" latin ;;
    "same-face label") one_run "$1" "$dir/baseline_startup" same-face ;;
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
