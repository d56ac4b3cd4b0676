#!/usr/bin/env bash
# The layers' include rules, checked on the source tree (the folder given, or the current one):
#  - only qt/ and server/host/ include Qt;
#  - the base (platform/, ui/, core/) includes nothing above it, and each base folder only what
#    is below it: platform/ nothing of ours, ui/ the platform, core/wire/ and core/audit/ only
#    themselves;
#  - the server's engine and store include only themselves and the shared wire library;
#  - between the subsystem folders, includes go down the order below, but for the arrows listed
#    there, which may only lose include lines.
# Prints every offending line and exits non-zero when there is one, or when a check cannot run.
set -u
cd "${1:-.}" || exit 2

status=0
# check <description> <extended regex of forbidden includes> <folder>...
check() {
    local what=$1 pattern=$2
    shift 2
    local folder out rc
    for folder in "$@"; do
        [ -d "$folder" ] || continue
        out=$(grep -rnE --include='*.h' --include='*.cpp' "$pattern" "$folder")
        rc=$?
        if [ "$rc" -eq 0 ]; then
            printf '%s:\n%s\n' "$what" "$out"
            status=1
        elif [ "$rc" -ne 1 ]; then
            printf 'cannot search %s (grep exit %s)\n' "$folder" "$rc"
            status=2
        fi
    done
}

for required in core ui platform connection dispatch console program server/engine; do
    [ -d "$required" ] || { echo "missing folder $required: not the source tree?"; exit 2; }
done

check "Qt included outside qt/ and server/host/" '#include *<(Q|qt)' \
    core connection dispatch console pos reports audit program ui platform server/engine server/db \
    tools
check "the base includes a subsystem or the program module" \
    '#include *"(connection|dispatch|console|pos|reports|audit|program|qt|server)/' core ui platform
check "platform/ includes a layer above it" '#include *"(ui|core)/' platform
check "ui/ includes core/" '#include *"core/' ui
check "core/wire/ includes the rest of core/" '#include *"core/[^w]' core/wire
check "core/audit/ includes the rest of core/" '#include *"core/([^a]|a[^u])' core/audit
check "the server engine or store includes the console" \
    '#include *"(core/[^w]|connection|dispatch|console|pos|reports|audit|program|ui|platform|qt)/' \
    server/engine server/db

# Between the subsystem folders includes go down this order (a folder may include any folder after
# it). The arrows that still go up are listed with the most include lines they may have: their
# number may fall, never rise, and no new upward arrow may appear.
order=(program console pos reports dispatch connection audit core ui platform)
declare -A ceiling=(
    [pos:console]=4 [pos:program]=4 [reports:console]=2 [reports:pos]=2 [reports:program]=1
    [console:program]=6 [connection:console]=6 [connection:program]=4
)
declare -A rank
for i in "${!order[@]}"; do rank[${order[$i]}]=$i; done
for from in "${order[@]}"; do
    [ -d "$from" ] || continue
    while read -r count to; do
        [ -n "${rank[$to]:-}" ] && [ "$to" != "$from" ] || continue
        [ "${rank[$to]}" -gt "${rank[$from]}" ] && continue
        allowed=${ceiling[$from:$to]:-0}
        if [ "$count" -gt "$allowed" ]; then
            echo "$from/ includes $to/ on $count lines (at most $allowed: the arrow goes up):"
            grep -rnE --include='*.h' --include='*.cpp' "#include *\"$to/" "$from"
            status=1
        fi
    done < <(grep -rhoE --include='*.h' --include='*.cpp' '#include *"[a-z_]+/' "$from" |
        sed -E 's/#include *"([a-z_]+)\//\1/' | sort | uniq -c)
done
exit "$status"
