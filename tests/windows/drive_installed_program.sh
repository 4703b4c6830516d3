#!/usr/bin/env bash
# Installs the Windows installer silently into a fresh Wine prefix and drives the installed program
# on the virtual X server of the caller, as a user would: the worked route through the real prompts
# from the keyboard, the results table copied with Ctrl+C, a route table pasted with Ctrl+V, the
# report printed to the private print server that Wine shows as a Windows printer, 打 印 with no
# printer at all offering 存为 PDF…, a screenshot, and the uninstaller leaving nothing behind.
# Usage (inside xvfb-run and tests/report/print_server.sh):
#   drive_installed_program.sh <setup.exe> <expected results table> <screenshot.png>
set -euo pipefail
setup=$1 expected_table=$2 screenshot=$3
golden=$(cd "$(dirname "$0")/../dialogue/golden" && pwd)

wine=/usr/lib/wine/wine64
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velmora-wine.XXXXXX")
export WINEPREFIX
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-drive.XXXXXX")
program_pid=
# shellcheck disable=SC2317 # runs from the trap
finish() {
    [[ -n $program_pid ]] && kill "$program_pid" 2>/dev/null
    /usr/lib/wine/wineserver -k 2>/dev/null || true
    rm -rf "$WINEPREFIX" "$work"
}
trap finish EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}
pass() { echo "ok: $*"; }

# Waits up to $1 seconds for the command that follows to succeed.
within() {
    local seconds=$1
    shift
    for _ in $(seq $((seconds * 10))); do
        "$@" && return 0
        sleep 0.1
    done
    return 1
}

"$wine" wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w

echo "== silent install"
installed_dir="$WINEPREFIX/drive_c/Program Files/Velmora"
"$wine" "$(winepath -w "$setup" 2>/dev/null || echo "Z:${setup//\//\\}")" /S
/usr/lib/wine/wineserver -w
if [[ -f $installed_dir/velmora.exe && -f $installed_dir/uninstall.exe ]]; then
    pass "installed into Program Files"
else
    fail "nothing installed in $installed_dir"
    exit 1
fi
shortcut=$(find "$WINEPREFIX/drive_c" -name 'Velmora.lnk' -print -quit)
[[ -n $shortcut ]] && pass "Start-menu shortcut ${shortcut#"$WINEPREFIX"/}" ||
    fail "no Start-menu shortcut"

windows() { xdotool search --onlyvisible --name "$1" 2>/dev/null; }
main_window=
start_program() {
    (cd "$installed_dir" && exec "$wine" velmora.exe) >/dev/null 2>&1 &
    program_pid=$!
    within 30 windows '^Velmora$' >/dev/null || {
        fail "the installed program shows no window"
        exit 1
    }
    main_window=$(windows '^Velmora$' | head -n 1)
    sleep 1
}
stop_program() {
    kill "$program_pid" 2>/dev/null
    wait "$program_pid" 2>/dev/null || true
    program_pid=
    /usr/lib/wine/wineserver -w
}
# A click at a pixel of the window's client area: 进行计算 at 384,640, 打 印 at 560,640.
click() { xdotool mousemove --window "$main_window" "$1" "$2" click 1; }
# The number of the program's windows up: the main window, plus one for each open box.
boxes() { windows '.' | while read -r id; do xdotool getwindowpid "$id" 2>/dev/null; done | wc -l; }
copied_table() {
    xdotool windowactivate --sync "$main_window" key ctrl+c
    sleep 1
    xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null | tr -d '\r'
}

echo "== the worked route typed into the prompts"
start_program
click 384 640
while IFS= read -r answer; do
    sleep 0.4
    [[ -n $answer ]] && xdotool type --delay 30 -- "$answer"
    xdotool key Return
done <"$golden/worked_example.answers"
sleep 1
/usr/bin/import -window root "$screenshot"
if copied_table | cmp -s - "$expected_table"; then
    pass "Ctrl+C after the typed route gives Linux's results table"
else
    fail "the results table after the typed route differs from Linux's"
    copied_table | diff - "$expected_table" | head -20 >&2 || true
fi

echo "== a route table pasted with Ctrl+V"
printf 'x\n' | xclip -selection clipboard
xdotool windowactivate --sync "$main_window" key ctrl+c
sleep 0.5
xclip -selection clipboard <"$golden/worked_route_table.csv"
xdotool windowactivate --sync "$main_window" key ctrl+v
sleep 2
if copied_table | cmp -s - "$expected_table"; then
    pass "Ctrl+V of the worked route's table, then Ctrl+C, gives Linux's results table"
else
    fail "the results table after the pasted route differs from Linux's"
fi

echo "== 打 印 on the default printer"
before=$(find "$VELMORA_TEST_JOBS" -type f -name '*.pdf' | wc -l)
click 560 640
if within 60 test "$(find "$VELMORA_TEST_JOBS" -type f -name '*.pdf' | wc -l)" -gt "$before"; then
    job=$(find "$VELMORA_TEST_JOBS" -type f -name '*.pdf' -newer "$setup" | sort | tail -n 1)
    "$(dirname "$0")/printed_text.sh" "$job" >"$work/printed.txt"
    if grep -q '水准简易平差' "$work/printed.txt" && grep -q 'P1 :  h(1)=11.005' "$work/printed.txt"; then
        pass "one job on the print server with the report's lines"
    else
        fail "the printed job lacks the report's lines"
        head -20 "$work/printed.txt" >&2
    fi
else
    fail "no job reached the print server"
fi
stop_program

echo "== 打 印 with no printer at all"
# Windows' printers are the print server's queues: without a server there are none.
saved_server=$CUPS_SERVER
export CUPS_SERVER=$work/no-server.sock
"$wine" reg delete 'HKCU\Software\Microsoft\Windows NT\CurrentVersion\Devices' /f >/dev/null 2>&1 || true
start_program
click 384 640
while IFS= read -r answer; do
    sleep 0.4
    [[ -n $answer ]] && xdotool type --delay 30 -- "$answer"
    xdotool key Return
done <"$golden/worked_example.answers"
sleep 1
click 560 640
if within 30 test "$(boxes)" -ge 2; then
    pass "a box appears"
    /usr/bin/import -window root "${screenshot%.png}-no-printer.png"
    # The box's default button is 存为 PDF…; the save dialog offers a name in Documents.
    xdotool key Return
    sleep 2
    xdotool key Return
    if within 20 bash -c 'find "$WINEPREFIX/drive_c/users" "$HOME" -name "*.pdf" 2>/dev/null | grep -q .'; then
        pass "存为 PDF… keeps the report as a PDF file"
    else
        fail "存为 PDF… left no PDF file"
    fi
else
    fail "打 印 without a printer showed nothing"
fi
stop_program
export CUPS_SERVER=$saved_server

echo "== silent uninstall"
"$wine" "C:\\Program Files\\Velmora\\uninstall.exe" /S
/usr/lib/wine/wineserver -w
# The uninstaller runs from a copy of itself, which the call above may not wait for.
within 30 test ! -e "$installed_dir"
if [[ -e $installed_dir ]]; then
    fail "left behind: $(find "$installed_dir" | head -5 | tr '\n' ' ')"
else
    pass "Program Files holds nothing of Velmora"
fi
[[ -z $(find "$WINEPREFIX/drive_c" -name 'Velmora.lnk' -print -quit) ]] &&
    pass "the shortcut is gone" || fail "the Start-menu shortcut is still there"
if "$wine" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora' \
    >/dev/null 2>&1; then
    fail "the uninstall entry is still in the registry"
else
    pass "the uninstall entry is gone"
fi

[[ $failures -eq 0 ]]
