#!/usr/bin/env bash
# Runs a command beside a private print server of its own and stops the server afterwards,
# whatever happened. Usage: print_server.sh <command> [arguments...]
#
# The server lives in a fresh temporary folder (configuration, state, spool, logs and its
# listening socket), so it never touches the machine's own print system. It has one raw queue,
# the default, whose device is a small backend saving each job's data unchanged as
# jobs/<job id>.pdf, and the copies and options the job came with as jobs/<job id>.options.
# The command talks to the server through silent_proxy.py, which forwards everything until told
# to go silent at an operation. The command sees:
#   CUPS_SERVER                  the proxy's socket, in front of the server's
#   VELMORA_TEST_FAULT           the file naming the operation the proxy goes silent at
#   HOME                         an empty home, so no personal lpoptions choose another default
#   VELMORA_TEST_QUEUE           the name of the default queue
#   VELMORA_TEST_DEVICE          its device URI, for adding it again
#   VELMORA_TEST_JOBS            the folder of the delivered jobs
#   VELMORA_PRINT_SERVER_PID     the server's process id, for tests of a server that went away
set -euo pipefail

[[ $# -ge 1 ]] || { echo "usage: $0 <command> [arguments...]" >&2; exit 2; }

root=$(mktemp -d "${TMPDIR:-/tmp}/velmora-print.XXXXXX")
server_pid=
proxy_pid=
# shellcheck disable=SC2317 # runs from the trap
stop_server() {
    if [[ -n $proxy_pid ]]; then
        kill -TERM "$proxy_pid" 2>/dev/null || true
        wait "$proxy_pid" 2>/dev/null || true
    fi
    if [[ -n $server_pid ]] && kill -0 "$server_pid" 2>/dev/null; then
        # a test may have left it stopped, and a stopped server does not end
        kill -CONT "$server_pid" 2>/dev/null || true
        kill -TERM "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
    fi
    rm -rf "$root"
}
trap stop_server EXIT
trap 'exit 130' INT TERM HUP

mkdir -p "$root"/{etc/ppd,etc/ssl,state,cache,spool/tmp,log,bin/backend,home,jobs}
chmod 0755 "$root" "$root/bin" "$root/bin/backend"
ln -s /usr/lib/cups/daemon "$root/bin/daemon"
ln -s /usr/lib/cups/notifier "$root/bin/notifier"

# A backend readable only by its owner runs as that owner (root when the server runs as root)
# and can write into this folder; CUPS refuses backends that others may change.
backend=$root/bin/backend/velmora-save
cat >"$backend" <<'BACKEND'
#!/bin/sh
# Without arguments a backend lists the devices it offers.
if [ $# -eq 0 ]; then
    echo 'direct velmora-save "Unknown" "Saves each job to a folder"'
    exit 0
fi
folder=${DEVICE_URI#velmora-save:}
echo "copies=$4 $5" >"$folder/$1.options"
if [ $# -ge 6 ]; then
    cat "$6" >"$folder/$1.part"
else
    cat >"$folder/$1.part"
fi
mv "$folder/$1.part" "$folder/$1.pdf"
BACKEND
chmod 0700 "$backend"

socket=$root/cups.sock
cat >"$root/etc/cupsd.conf" <<CONF
LogLevel warn
Listen $socket
Browsing No
WebInterface No
DefaultAuthType None
<Location />
  Order allow,deny
  Allow all
</Location>
<Policy default>
  <Limit All>
    Order deny,allow
  </Limit>
</Policy>
CONF
cat >"$root/etc/cups-files.conf" <<CONF
ServerRoot $root/etc
StateDir $root/state
CacheDir $root/cache
RequestRoot $root/spool
TempDir $root/spool/tmp
ServerBin $root/bin
ErrorLog $root/log/error_log
AccessLog $root/log/access_log
PageLog $root/log/page_log
CONF

/usr/sbin/cupsd -f -c "$root/etc/cupsd.conf" -s "$root/etc/cups-files.conf" &
server_pid=$!

proxy=$root/proxy.sock
export VELMORA_TEST_FAULT=$root/fault
: >"$VELMORA_TEST_FAULT"
python3 "$(dirname "$0")/silent_proxy.py" "$proxy" "$socket" "$VELMORA_TEST_FAULT" &
proxy_pid=$!

export CUPS_SERVER=$proxy HOME=$root/home
for _ in $(seq 100); do
    [[ -S $socket && -S $proxy ]] && lpstat -r >/dev/null 2>&1 && break
    kill -0 "$server_pid" 2>/dev/null || { cat "$root/log/error_log" >&2 || true; exit 1; }
    sleep 0.05
done

export VELMORA_TEST_QUEUE=velmora-test
export VELMORA_TEST_DEVICE=velmora-save:$root/jobs
export VELMORA_TEST_JOBS=$root/jobs
export VELMORA_PRINT_SERVER_PID=$server_pid
lpadmin -p "$VELMORA_TEST_QUEUE" -E -v "$VELMORA_TEST_DEVICE"
lpadmin -d "$VELMORA_TEST_QUEUE"

status=0
"$@" || status=$?
if [[ $status -ne 0 && -s $root/log/error_log ]]; then
    echo "--- print server log" >&2
    cat "$root/log/error_log" >&2
fi
exit $status
