#!/usr/bin/env bash
# Runs kestova-audit (path in $1) on logs chained here with coreutils' sha256sum (a second opinion
# on the format), on tampered copies of them and on hostile input, and checks what it prints and
# how it exits. Run by CTest.
set -u
audit="$1"
failures=0
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

run() {  # run NAME EXPECTED_CODE COMMAND... ; leaves the output in $out
    local name="$1" code="$2"
    shift 2
    out="$("$@" 2>"$work/stderr")"
    local got=$?
    check "$name exit code" "$code" "$got"
}

# entry SEQ PREV WHO WHAT CLIENT PORT GROUP WIRE: one line of the log.
entry() {
    printf '{"seq":%s,"time":"2026-12-08T14:05:0%sZ","who":"%s","what":"%s","client":"%s","port":%s,"group":"%s","wire":"%s","prev":"%s"}' \
        "$1" "$1" "$3" "$4" "$5" "$6" "$7" "$8" "$2"
}
seal() { printf '%s' "$1" | sha256sum | cut -d' ' -f1; }

genesis=0000000000000000000000000000000000000000000000000000000000000000
line1="$(entry 1 "$genesis" ADMINISTRATOR 'Operator log-in' '' null '' "||F-LOGIN||Username = 'ADMINISTRATOR' and Password = '****'||")"
line2="$(entry 2 "$(seal "$line1")" ADMINISTRATOR 'Allocate 30 min' PC4 3 '' '||F-ALLOCATE||1800||FALSE||3||')"
line3="$(entry 3 "$(seal "$line2")" JOHN 'Activate every ticket of the group' '' null 'GRP000000001' '||MACTIVATE1||GRP000000001-JOHN||')"
printf '%s\n%s\n%s\n' "$line1" "$line2" "$line3" >"$work/audit.jsonl"
last="$(seal "$line3")"

run "help" 0 "$audit" --help
check "help text" "Usage: kestova-audit verify [--expect SEAL] FILE" "$(printf '%s\n' "$out" | head -n 1)"
run "version" 0 "$audit" --version
check "version text" "kestova-audit 1.0.0" "$out"
run "no command" 2 "$audit"
run "no file" 2 "$audit" verify
run "a seal too short" 2 "$audit" verify --expect abc123 "$work/audit.jsonl"
run "a missing file" 2 "$audit" verify "$work/none.jsonl"
check "a missing file says so" "kestova-audit: cannot read $work/none.jsonl" "$(cat "$work/stderr")"

run "intact" 0 "$audit" verify "$work/audit.jsonl"
check "intact says so" "$(printf 'Intact: 3 entries, the last sealed %s.\nLast seal: %s' "${last:0:16}" "$last")" "$out"
run "intact from standard input" 0 "$audit" verify - <"$work/audit.jsonl"

# Tampering: each copy must fail at its first broken entry.
sed 's/Allocate 30 min/Allocate 90 min/' "$work/audit.jsonl" >"$work/altered.jsonl"
run "altered" 1 "$audit" verify "$work/altered.jsonl"
check "altered names the entry" "Broken at line 2: entry 2 was altered after it was written (entry 3 was sealed over a different text). The 1 entry before it is intact." "$out"
sed '2d' "$work/audit.jsonl" >"$work/removed.jsonl"
run "removed" 1 "$audit" verify "$work/removed.jsonl"
check "removed names the entry" "Broken at line 2: entry 2 is missing: removed from the log. The 1 entry before it is intact." "$out"
printf '%s\n%s\n%s\n' "$line1" "$line3" "$line2" >"$work/reordered.jsonl"
run "reordered" 1 "$audit" verify "$work/reordered.jsonl"
check "reordered names the entry" "Broken at line 2: entry 3 stands where entry 2 was due, and entry 2 comes later: entries were reordered. The 1 entry before it is intact." "$out"
printf '%s\n%s\n' "$line1" "$line2" >"$work/shortened.jsonl"
run "shortened, against the noted seal" 1 "$audit" verify --expect "${last:0:20}" "$work/shortened.jsonl"
check "shortened says the noted entry is gone" "Broken: no entry is sealed ${last:0:20}: the entry noted earlier is gone (entries were removed from the end, or the log was replaced). The 2 entries before it are intact." "$out"

# A write cut off by a crash: the whole entries before it stay verifiable.
head -c $(($(wc -c <"$work/audit.jsonl") - 40)) "$work/audit.jsonl" >"$work/cut.jsonl"
run "cut off" 0 "$audit" verify "$work/cut.jsonl"
check "cut off says where" "$(printf 'Intact: 2 entries, the last sealed %s. Line 3 holds no whole entry: the last write was cut off.\nLast seal: %s' "$(seal "$line2" | cut -c1-16)" "$(seal "$line2")")" "$out"

run "print" 0 "$audit" print "$work/cut.jsonl"
check "print heading" "No.  Time (UTC)            Operator       Command          Client  Port  Ticket group  Wire text" "$(printf '%s\n' "$out" | head -n 1)"
check "print row" "2    2026-12-08T14:05:02Z  ADMINISTRATOR  Allocate 30 min  PC4     3                   ||F-ALLOCATE||1800||FALSE||3||" "$(printf '%s\n' "$out" | sed -n 3p)"
check "print notes the cut-off line" "Line 3 holds no whole entry." "$(printf '%s\n' "$out" | tail -n 1)"

# A write cut off in the middle, which the console chained across, is no break; any other line
# that holds no entry is one, and so is what is not an audit log at all.
printf '%s\n%s\n%s\n' "$line1" "${line2:0:50}" "$line2" >"$work/recovered.jsonl"
run "cut off in the middle" 0 "$audit" verify "$work/recovered.jsonl"
check "cut off in the middle says so" "Intact: 2 entries, the last sealed $(seal "$line2" | cut -c1-16). Line 2 holds no whole entry (a write cut off); the chain continues across it." "$(printf '%s\n' "$out" | head -n 1)"
printf '%s\nnot an entry\n%s\n' "$line1" "$line2" >"$work/junk.jsonl"
run "a line put in" 1 "$audit" verify "$work/junk.jsonl"
check "a line put in is named" "Broken at line 2: line 2 holds no entry, nor the beginning of one: the log was altered or damaged there. The 1 entry before it is intact." "$out"
printf '{"seq":1}' >"$work/seq.jsonl"
run "no log" 1 "$audit" verify "$work/seq.jsonl"
check "no log says where" "Broken at line 1: line 1 holds no entry, nor the beginning of one: the log was altered or damaged there." "$out"
head -c 100000 /dev/urandom >"$work/random"
run "random bytes" 1 "$audit" verify "$work/random"
check "random bytes are broken" "Broken at line" "${out:0:14}"
"$audit" print "$work/random" >/dev/null 2>&1 || { echo "FAIL print on random bytes"; failures=$((failures + 1)); }

# Only a regular file is read, so that nothing holds the program forever; endless input ends at
# its first line.
mkfifo "$work/fifo"
for path in "$work" "$work/fifo" /dev/zero; do
    run "$path" 2 timeout 10 "$audit" verify "$path"
    check "$path is refused" "kestova-audit: $path is not a regular file" "$(cat "$work/stderr")"
done
run "endless input" 1 timeout 10 "$audit" verify - </dev/zero
check "endless input is broken at once" "Broken at line 1: line 1 is longer than any entry: the log was altered or damaged there." "$out"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all kestova-audit checks passed"
