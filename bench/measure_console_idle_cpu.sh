#!/usr/bin/env bash
# The console's CPU use while nobody touches it: a 255-slot demo café on loopback, the console
# refreshing its table every 5 seconds, its user and system time read from /proc over a minute
# once it has settled. Both programs stop by themselves.
#
# Usage: bench/measure_console_idle_cpu.sh [build directory, default build] [seconds, default 60]
#        [view: table (default) or floor, the floor map in place of the table]
set -euo pipefail

build=${1:-build}
seconds=${2:-60}
view=${3:-table}
[[ $view == floor ]] && console_options=$'FloorMap=True\n'
source "$(dirname "$0")/lib/cafe.sh"

start_server $((seconds + 120)) --demo --slots 255
start_console 5
sleep 15  # the first fills and the start-up are not idle time

ticks_per_second=$(getconf CLK_TCK)
before=$(cpu_ticks "$console_pid")
sleep "$seconds"
after=$(cpu_ticks "$console_pid")
awk -v t=$((after - before)) -v hz="$ticks_per_second" -v s="$seconds" -v v="$view" \
    'BEGIN { printf "console idle on a 255-slot demo café, Refresh 5 s, the " v ": %.2f %% of one core (%d ticks in %d s)\n", 100 * t / hz / s, t, s }'
