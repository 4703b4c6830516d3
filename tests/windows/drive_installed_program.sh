#!/usr/bin/env bash
# Installs the Windows installer silently into a fresh Wine prefix and drives the installed program
# on the virtual X server of the caller, as a user would: the worked route through the real prompts
# from the keyboard, the results table copied with Ctrl+C, a route table pasted with Ctrl+V, the
# report printed to the private print server that Wine shows as a Windows printer, 打 印 with no
# printer at all offering 存为 PDF…, a screenshot, and the uninstaller leaving nothing behind.
# Usage (inside xvfb-run and tests/report/print_server.sh):
#   drive_installed_program.sh <setup.exe> <expected> <screenshot.png>
# where the folder <expected> holds the tab-separated results tables the transcript tool gives for
# the worked example's answers (typed.tsv) and for the pasted table (pasted.tsv), and the lines of
# the reports of the two (typed-report.txt, report.txt).
set -euo pipefail
setup=$1 expected=$2 screenshot=$3
golden=$(cd "$(dirname "$0")/../dialogue/golden" && pwd)

export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
WINEPREFIX=$(mktemp -d "${TMPDIR:-/tmp}/velmora-wine.XXXXXX")
export WINEPREFIX
work=$(mktemp -d "${TMPDIR:-/tmp}/velmora-drive.XXXXXX")
# A Windows of a Chinese office: its code page, its faces for the system's own boxes, and Chinese
# names of files, which Wine takes from the machine's locale; that locale is made here, for Wine
# alone, so the machine's own stay as they are.
localedef -i zh_CN -f UTF-8 "$work/zh_CN.UTF-8"
wine=(env LOCPATH="$work" LANG=zh_CN.UTF-8 /usr/lib/wine/wine64)
program_pid=
# shellcheck disable=SC2317 # runs from the trap
finish() {
    [[ -z $program_pid ]] || kill "$program_pid" 2>/dev/null || true
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

"${wine[@]}" wineboot --init >/dev/null 2>&1
/usr/lib/wine/wineserver -w

echo "== silent install"
installed_dir="$WINEPREFIX/drive_c/Program Files/Velmora"
# Wine's drive Z: is the machine's root.
"${wine[@]}" "Z:${setup//\//\\}" /S
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

# The program's visible windows (Wine names their class after the program), the main one first.
program_windows() { xdotool search --onlyvisible --class 'velmora' 2>/dev/null; }
main_window=
start_program() {
    (cd "$installed_dir" && exec "${wine[@]}" velmora.exe) >/dev/null 2>&1 &
    program_pid=$!
    within 30 xdotool search --onlyvisible --name '^Velmora$' >/dev/null || {
        fail "the installed program shows no window"
        exit 1
    }
    main_window=$(xdotool search --onlyvisible --name '^Velmora$' | head -n 1)
    sleep 1
}
stop_program() {
    # The program may have ended by itself already.
    kill "$program_pid" 2>/dev/null || true
    wait "$program_pid" 2>/dev/null || true
    program_pid=
    /usr/lib/wine/wineserver -w
}
# A box of the program's other than the main window and other than $1, once one is up.
box_other_than() {
    local box
    for _ in $(seq 200); do
        box=$(program_windows | grep -vx -e "$main_window" -e "${1:-none}" | tail -n 1) || true
        [[ -n $box ]] && echo "$box" && return 0
        sleep 0.1
    done
    return 1
}
# No window manager runs, so a click gives the window the keyboard: 进行计算 at 384,640, 打 印 at
# 560,640, and the empty corner at 20,20.
click() { xdotool mousemove --window "$main_window" "$1" "$2" click 1; }
# Answers each prompt of a run as it comes up, from the lines of $1.
answer_prompts() {
    local answer box=none
    while IFS= read -r answer; do
        box=$(box_other_than "$box") || {
            fail "no prompt came up for the answer '$answer'"
            return 1
        }
        sleep 0.2
        [[ -n $answer ]] && xdotool type --delay 20 -- "$answer"
        xdotool key Return
    done <"$1"
    # The last prompt answered, its box goes (a tooltip may come up meanwhile; it is no prompt).
    within 20 bash -c "! xdotool search --onlyvisible --class velmora | grep -qx $box" || {
        /usr/bin/import -window root "$work/unanswered.png"
        cp "$work/unanswered.png" "${screenshot%.png}-unanswered.png"
        fail "a box is still up after the last answer (${screenshot%.png}-unanswered.png)"
    }
}
copied_table() {
    click 20 20
    xdotool key ctrl+c
    sleep 1
    xclip -o -selection clipboard -t UTF8_STRING 2>/dev/null | tr -d '\r'
}
# Passes where what Ctrl+C puts on the clipboard is the table $1, which $2 made.
copied_table_is() {
    if copied_table | cmp -s - "$1"; then
        pass "$2 gives the results table the transcript tool gives for the same route"
    else
        fail "$2 gives another results table"
        copied_table | diff - "$1" | head -20 >&2 || true
    fi
}

echo "== the worked route typed into the prompts"
start_program
click 384 640
answer_prompts "$golden/worked_example.answers"
/usr/bin/import -window "$main_window" "$screenshot"
copied_table_is "$expected/typed.tsv" "Ctrl+C after the typed route"

echo "== a route table pasted with Ctrl+V"
xclip -selection clipboard <"$golden/hilly_route_table.csv"
click 20 20
xdotool key ctrl+v
sleep 2
copied_table_is "$expected/pasted.tsv" "Ctrl+V of a route table, then Ctrl+C,"

echo "== 打 印 on the default printer"
# Every value of the report with its label, in order: what a reader of the page must find on it.
values() { tr -d ' ' | grep -o '[A-Za-z]*[](0-9)]*=[-0-9.]*'; }
click 560 640
if within 90 bash -c "ls '$VELMORA_TEST_JOBS' | grep -q '\.pdf\$'"; then
    job=$(find "$VELMORA_TEST_JOBS" -type f -name '*.pdf' | sort | tail -n 1)
    cp "$job" "${screenshot%.png}-printed.job"
    "$(dirname "$0")/printed_text.sh" "$job" >"$work/printed.txt"
    # The route printed is the table pasted last.
    if grep -q '水准简易平差' "$work/printed.txt" &&
        cmp -s <(values <"$work/printed.txt") <(values <"$expected/report.txt"); then
        pass "one job on the print server, the report's title and every value on its page"
    else
        fail "the printed page does not show the report's values"
        diff <(values <"$work/printed.txt") <(values <"$expected/report.txt") >&2 || true
    fi
else
    /usr/bin/import -window root "${screenshot%.png}-unprinted.png"
    fail "no job reached the print server (${screenshot%.png}-unprinted.png); queue: $(lpstat -o)"
fi
stop_program

echo "== 打 印 with no printer at all"
# Windows' printers are the print server's queues: without a server there are none.
saved_server=$CUPS_SERVER
export CUPS_SERVER=$work/no-server.sock
start_program
click 384 640
answer_prompts "$golden/worked_example.answers"
click 560 640
if box_other_than >/dev/null; then
    pass "a box appears"
    /usr/bin/import -window root "${screenshot%.png}-no-printer.png"
    # The box's default button is 存为 PDF…; the save dialog's name is typed over, a folder and a
    # file named in Chinese.
    mkdir -p "$WINEPREFIX/drive_c/users/Public/水准成果"
    kept="$WINEPREFIX/drive_c/users/Public/水准成果/一号路线.pdf"
    xdotool key Return
    sleep 2
    xdotool key End shift+Home BackSpace
    xdotool type --delay 40 -- 'C:\users\Public\水准成果\一号路线.pdf'
    xdotool key Return
    if within 20 test -s "$kept"; then
        sleep 1
        if cmp -s <("$(dirname "$0")/printed_text.sh" "$kept" | values) \
            <(values <"$expected/typed-report.txt"); then
            pass "存为 PDF… keeps the report, every value, as 水准成果\\一号路线.pdf"
        else
            fail "the kept PDF does not hold the report's values"
        fi
    else
        /usr/bin/import -window root "${screenshot%.png}-unsaved.png"
        fail "存为 PDF… left no 水准成果\\一号路线.pdf (${screenshot%.png}-unsaved.png)"
    fi
else
    fail "打 印 without a printer showed nothing"
fi
stop_program
export CUPS_SERVER=$saved_server

echo "== silent uninstall"
"${wine[@]}" "C:\\Program Files\\Velmora\\uninstall.exe" /S
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
if "${wine[@]}" reg query 'HKLM\Software\Microsoft\Windows\CurrentVersion\Uninstall\Velmora' \
    >/dev/null 2>&1; then
    fail "the uninstall entry is still in the registry"
else
    pass "the uninstall entry is gone"
fi

[[ $failures -eq 0 ]]
