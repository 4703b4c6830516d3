#!/usr/bin/env bash
# Start-up of the program against minimal Qt Widgets windows of its size (an empty one, one showing
# a line of Latin text, one showing a line of Chinese text in the program's own face, one of the
# program's whole layout in plain widgets of the default style): milliseconds
# from launch to the first frame on the screen, and peak resident memory, as medians over
# interleaved runs on one virtual X server. The processor time that each start took up to that
# frame is shown beside, as it depends less on what else the machine is doing. With --instructions
# each start is also run once under callgrind (scripts/install-deps valgrind), which counts the
# instructions it executes up to its first frame: slow, but the same however busy the machine is.
# A start that shows nothing within its patience ends the measurement with a message that names
# it, and a non-zero status.
# --runner=COMMAND starts every program through COMMAND (split at blanks), and a build folder whose
# programs end in .exe is run as such: a Windows build under Wine is measured with
#   bench/startup/measure.sh build/windows 15 --runner=/usr/lib/wine/wine64
# Its peak memory is then that of the runner's own process, in which Wine runs the program; its
# processor time is what the target's clock() reports, which on Windows is the wall time since the
# process began. The wine server should already be running (wineserver -p), so that no start pays
# for launching it. --instructions needs native programs.
# Usage: bench/startup/measure.sh <build-dir> [runs] [--instructions] [--runner=COMMAND]
set -euo pipefail
usage="usage: $0 <build-dir> [runs] [--instructions] [--runner=COMMAND]"
build=${1:?$usage}
runs=15 counting=false runner=()
for argument in "${@:2}"; do
    case $argument in
    --instructions) counting=true ;;
    --runner=*) read -ra runner <<<"${argument#--runner=}" ;;
    *) runs=$argument ;;
    esac
done
if $counting && ((${#runner[@]})); then
    echo "$0: --instructions counts native programs only; leave out --runner" >&2
    exit 2
fi
if [[ -z ${DISPLAY:-} ]]; then
    exec xvfb-run -a -s "-screen 0 1024x768x24" "$0" "$@"
fi
# A program run through a runner picks its own platform plugin; xcb would not exist there.
((${#runner[@]})) || export QT_QPA_PLATFORM=xcb
# Each program gives up after 10 s without a paint; the outer limit also ends one that hangs before
# its event loop runs.
patience=15

declare -A times memories cpus instructions
# one_run <name> <program> [arguments...]
one_run() {
    local name=$1 log output status=0
    shift
    log=$(mktemp)
    output=$(STARTUP_T0_NS=$(date +%s%N) timeout "$patience" /usr/bin/time -v -o "$log" \
        "${runner[@]}" "$@" 2>/dev/null) || status=$?
    # A Windows program ends its line with a carriage return.
    output=${output%$'\r'}
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

# count_instructions <name> <program> [arguments...]
count_instructions() {
    local name=$1 out
    shift
    out=$(mktemp -d)
    STARTUP_T0_NS=$(date +%s%N) timeout 600 valgrind --tool=callgrind \
        --callgrind-out-file="$out/callgrind.%p" --dump-before='*reportElapsed*' "$@" \
        >/dev/null 2>&1 || true
    # Only the program's own process dumps a first part, as it reports its first frame
    # (reportElapsed in first_paint.cpp); a process it forks does not.
    instructions[$name]=$(awk '/^summary:/ {printf "%.1f", $2 / 1e6}' "$out"/callgrind.*.1 \
        2>/dev/null) || true
    rm -rf "$out"
    if [[ -z ${instructions[$name]} ]]; then
        echo "$0: $name showed no first frame under callgrind" >&2
        exit 1
    fi
}

dir=$build/bench/startup
suffix=""
[[ -e $dir/velmora_startup.exe ]] && suffix=.exe
contenders=(velmora "empty window" "Latin label" "same-face label" "plain layout")
# start_contender <measurement> <name>: hands the measurement the contender's name and command line.
start_contender() {
    local measurement=$1 name=$2 velmora=$dir/velmora_startup$suffix
    local baseline=$dir/baseline_startup$suffix
    case $name in
    velmora) "$measurement" "$name" "$velmora" ;;
    "empty window") "$measurement" "$name" "$baseline" ;;
    "Latin label") "$measurement" "$name" "$baseline" latin ;;
    "same-face label") "$measurement" "$name" "$baseline" same-face ;;
    "plain layout") "$measurement" "$name" "$baseline" plain-layout ;;
    esac
}

# The first start of each fills the page cache; it is not counted.
for contender in "${contenders[@]}"; do start_contender one_run "$contender"; done
times=() memories=() cpus=()
for ((i = 0; i < runs; i++)); do
    for contender in "${contenders[@]}"; do start_contender one_run "$contender"; done
done
if $counting; then
    for contender in "${contenders[@]}"; do start_contender count_instructions "$contender"; done
fi

median() { tr ' ' '\n' | grep . | sort -g | awk '{v[NR] = $1} END {print v[int((NR + 1) / 2)]}'; }
# ratio <velmora's> <contender's> -> "1.19"
ratio() { awk "BEGIN {printf \"%.2f\", $1 / $2}"; }
counted_heading="" counted=""
$counting && counted_heading=$(printf ' %14s' instructions)
printf '%-20s %12s %14s %12s%s   %s\n' "median of $runs runs" "first paint" "peak memory" \
    "processor" "$counted_heading" "Velmora's ratios"
vt=$(median <<<"${times[velmora]}") vm=$(median <<<"${memories[velmora]}")
vc=$(median <<<"${cpus[velmora]}")
for contender in "${contenders[@]}"; do
    t=$(median <<<"${times[$contender]}") m=$(median <<<"${memories[$contender]}")
    c=$(median <<<"${cpus[$contender]}")
    ratios="$(ratio "$vt" "$t") / $(ratio "$vm" "$m") / $(ratio "$vc" "$c")"
    if $counting; then
        counted=$(printf ' %12s M' "${instructions[$contender]}")
        ratios+=" / $(ratio "${instructions[velmora]}" "${instructions[$contender]}")"
    fi
    printf '%-20s %9s ms %11s kB %9s ms%s   %s\n' "$contender" "$t" "$m" "$c" "$counted" "$ratios"
done
