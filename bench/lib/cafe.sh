# Shared by the whole-program measurements under bench/: a café of zarnevo-server on loopback
# and the console offscreen pointed at it through a configuration folder of its own (ServerIP
# 127.0.0.1, a fixed high port), both stopped when the calling script ends. Source it, then call
# start_server and start_console.
#
# Needs: $build (the build directory). Sets: $work, $server_pid, $console_pid, $offset.

server_bin=$build/bin/zarnevo-server
console_bin=$build/bin/kestova
for program in "$server_bin" "$console_bin"; do
    [[ -x $program ]] || { echo "missing $program (build it first)" >&2; exit 2; }
done

work=$(mktemp -d)
server_pid=""
console_pid=""
cleanup_cafe() {
    [[ -n $console_pid ]] && kill "$console_pid" 2>/dev/null || true
    [[ -n $server_pid ]] && kill -TERM "$server_pid" 2>/dev/null || true
    wait 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup_cafe EXIT

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

# start_server SECONDS [zarnevo-server options...]: a server that ends by itself after SECONDS.
# The console keeps its port offset in 16 bits; offsets that are multiples of five would also
# send it knocking at the discovery port.
start_server() {
    local seconds=$1
    shift
    for attempt in 1 2 3 4 5 6 7 8; do
        offset=$((30000 + RANDOM % 2700))
        ((offset % 5 == 0)) && offset=$((offset + 1))
        timeout "$seconds" "$server_bin" --db :memory: --listen 127.0.0.1 \
            --port-offset "$offset" "$@" >"$work/server.out" 2>"$work/server.log" &
        server_pid=$!
        wait_for_line "listening for consoles" 10 "$work/server.out" "$server_pid" && return 0
        kill -TERM "$server_pid" 2>/dev/null || true
        wait "$server_pid" 2>/dev/null || true
        server_pid=""
    done
    echo "no server could be started" >&2
    exit 1
}

# start_console REFRESH_SECONDS [VAR=value...]: the console on the server, connected when this
# returns. $console_options, when set, adds lines to its [Option] section.
start_console() {
    local refresh=$1
    shift
    mkdir -p "$work/config"
    printf '[HKEY_USERS\\.default\\Software\\Zarnevo]\nServerIP=127.0.0.1\n' \
        >"$work/config/machine.ini"
    printf '[Option]\nUsePort=1\nPortNo=%d\nLoop=32766\nRefresh=%d\n%s' "$offset" "$refresh" \
        "${console_options:-}" >"$work/config/kestova.ini"
    env QT_QPA_PLATFORM=offscreen KESTOVA_CONFIG_DIR="$work/config" "$@" "$console_bin" \
        2>"$work/console.log" &
    console_pid=$!
    if ! wait_for_line "connected from" 30 "$work/server.log" "$console_pid"; then
        echo "the console did not connect" >&2
        cat "$work/console.log" >&2
        exit 1
    fi
}

# CPU time (user + system) of a process in clock ticks.
cpu_ticks() {
    awk '{print $14 + $15}' "/proc/$1/stat"
}
