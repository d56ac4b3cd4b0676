#!/usr/bin/env bash
# The console's resident memory with a full café on its table: zarnevo-server with 255 client
# slots on loopback, the console offscreen pointed at it through a configuration folder of its
# own (ServerIP 127.0.0.1, a fixed high port), VmRSS and VmHWM read from /proc once the table
# has been filled and refreshed for a while. Both programs stop by themselves: the console
# after a screenshot of its window (kept for a look at the full table), the server on SIGTERM.
#
# Usage: bench/measure_console_rss.sh [build directory, default build] [settle seconds, default 8]
set -euo pipefail

build=${1:-build}
settle=${2:-8}
server_bin=$build/bin/zarnevo-server
console_bin=$build/bin/kestova
for program in "$server_bin" "$console_bin"; do
    [[ -x $program ]] || { echo "missing $program (build it first)" >&2; exit 2; }
done

work=$(mktemp -d)
server_pid=""
console_pid=""
cleanup() {
    [[ -n $console_pid ]] && kill "$console_pid" 2>/dev/null || true
    [[ -n $server_pid ]] && kill -TERM "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

# Waits up to $2 seconds for the pattern $1 in the file $3; fails when process $4 ends first.
wait_for_line() {
    local pattern=$1 seconds=$2 file=$3 pid=$4
    for ((tenth = 0; tenth < seconds * 10; ++tenth)); do
        grep -q "$pattern" "$file" 2>/dev/null && return 0
        kill -0 "$pid" 2>/dev/null || return 1
        sleep 0.1
    done
    return 1
}

# The console keeps its port offset in 16 bits; offsets that are multiples of five would also
# send it knocking at the discovery port.
offset=0
for attempt in 1 2 3 4 5 6 7 8; do
    offset=$((30000 + RANDOM % 2700))
    ((offset % 5 == 0)) && offset=$((offset + 1))
    timeout 300 "$server_bin" --demo --slots 255 --db :memory: --listen 127.0.0.1 \
        --port-offset "$offset" >"$work/server.out" 2>"$work/server.log" &
    server_pid=$!
    if wait_for_line "listening for consoles" 10 "$work/server.out" "$server_pid"; then
        break
    fi
    kill -TERM "$server_pid" 2>/dev/null || true
    wait "$server_pid" 2>/dev/null || true
    server_pid=""
done
[[ -n $server_pid ]] || { echo "no server could be started" >&2; exit 1; }

mkdir -p "$work/config"
printf '[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n' >"$work/config/machine.ini"
printf '[Option]\nUsePort=1\nPortNo=%d\nLoop=32766\nRefresh=1\n' "$offset" \
    >"$work/config/kestova.ini"

# The screenshot comes after start-up (about 4 s), the connection (about 3 s more) and the
# settle time, and ends the console.
screenshot=${KESTOVA_RSS_SCREENSHOT:-$work/console.png}
QT_QPA_PLATFORM=offscreen KESTOVA_CONFIG_DIR="$work/config" KESTOVA_SCREENSHOT="$screenshot" \
    KESTOVA_SCREENSHOT_DELAY_MS=$(((settle + 8) * 1000)) "$console_bin" 2>"$work/console.log" &
console_pid=$!

if ! wait_for_line "connected from" 30 "$work/server.log" "$console_pid"; then
    echo "the console did not connect" >&2
    cat "$work/console.log" >&2
    exit 1
fi
sleep "$settle"

status=/proc/$console_pid/status
[[ -r $status ]] || { echo "the console ended early" >&2; cat "$work/console.log" >&2; exit 1; }
rss=$(awk '/^VmRSS/ {print $2}' "$status")
hwm=$(awk '/^VmHWM/ {print $2}' "$status")
echo "console with 255 client slots: VmRSS ${rss} kB ($((rss / 1024)) MiB), VmHWM ${hwm} kB ($((hwm / 1024)) MiB)"

# The screenshot ends the console; give it the time it asked for.
for ((second = 0; second < settle + 20; ++second)); do
    kill -0 "$console_pid" 2>/dev/null || break
    sleep 1
done
wait "$console_pid" 2>/dev/null || true
console_pid=""
grep -h "screenshot" "$work/console.log" || true
kill -TERM "$server_pid" 2>/dev/null || true
wait "$server_pid" 2>/dev/null || true
server_pid=""
