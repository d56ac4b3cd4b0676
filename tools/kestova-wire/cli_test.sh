#!/usr/bin/env bash
# Runs kestova-wire (path in $1) on typical and hostile inputs and checks what it prints and how
# it exits. Run by CTest.
set -u
wire="$1"
failures=0

check() {  # check NAME EXPECTED ACTUAL
    if [ "$2" != "$3" ]; then
        printf 'FAIL %s\n  expected: %q\n  actual:   %q\n' "$1" "$2" "$3"
        failures=$((failures + 1))
    fi
}

check "encode argument" "995895795" "$("$wire" encode abc)"
check "encode joins words" "$("$wire" encode 'a b')" "$("$wire" encode a b)"
check "encode stdin strips one newline" "995895795" "$(printf 'abc\n' | "$wire" encode)"
check "encode stdin strips one CR LF" "995895795" "$(printf 'abc\r\n' | "$wire" encode)"
check "encode stdin keeps a second newline" "015995895795" "$(printf 'abc\n\n' | "$wire" encode)"
check "encode empty" "" "$("$wire" encode '')"
check "decode argument" "abc" "$("$wire" decode 995895795)"
check "decode ignores whitespace" "abc" "$(printf '995 895\n795\n' | "$wire" decode)"
check "decode drops a stray digit" "abc" "$("$wire" decode 9958957951)"
check "code page round trip" "café €5 ‰" "$("$wire" decode "$("$wire" encode 'café €5 ‰')")"
check "unknown character" "?!" "$("$wire" decode "$("$wire" encode '中!')")"
check "split" "$(printf 'TYPE\tUSER\nPRINTS\tTrue\nLAST')" \
    "$("$wire" split '||type||USER||PRINTS||True||LAST')"
check "split empty value" "$(printf 'STILL CONNECTED\t')" "$("$wire" split '||STILL CONNECTED||||')"
check "split shows control characters" "$(printf 'M\tline\\x0Atwo')" \
    "$(printf '||M||line\ntwo||' | "$wire" split)"
check "decode messages in send order" "$(printf '||TYPE||USER||\n||UPDATEX||||')" \
    "$("$wire" decode --messages "$("$wire" encode '||TYPE||USER||')$("$wire" encode '||UPDATEX||||')")"
check "text after --" "026545" "$("$wire" encode -- -x)"

expect_exit() {  # expect_exit NAME CODE COMMAND...
    local name="$1" code="$2"
    shift 2
    "$@" >/dev/null 2>"$stderr_file"
    local got=$?
    check "$name exit code" "$code" "$got"
}
stderr_file="$(mktemp)"
trap 'rm -f "$stderr_file" "$random_file"' EXIT

expect_exit "help" 0 "$wire" --help
check "help text" "Usage: kestova-wire COMMAND [TEXT...]" "$("$wire" --help | head -n 1)"
expect_exit "no command" 2 "$wire"
expect_exit "unknown command" 2 "$wire" transmogrify x
expect_exit "unknown option" 2 "$wire" encode -x
expect_exit "non-digit" 1 "$wire" decode 99x5
check "non-digit message" 'kestova-wire: the input holds "x" at position 3; only digits and whitespace may be decoded' \
    "$(cat "$stderr_file")"

# Hostile input never crashes any command: it ends with 0 or 1, never by a signal.
random_file="$(mktemp)"
head -c 200000 /dev/urandom >"$random_file"
for command in encode decode split "decode --messages"; do
    # shellcheck disable=SC2086
    "$wire" $command <"$random_file" >/dev/null 2>&1
    code=$?
    if [ "$code" -gt 1 ]; then
        echo "FAIL $command on random bytes exited with $code"
        failures=$((failures + 1))
    fi
done
tr -dc '0-9' <"$random_file" | "$wire" decode --messages >/dev/null || {
    echo "FAIL decode --messages on random digits"
    failures=$((failures + 1))
}

# Input beyond what a command reads whole is refused at once, and endless input is never held;
# a capture of any length decodes message by message.
expect_exit "endless zeros" 1 timeout 10 "$wire" decode </dev/zero
check "endless zeros stop at the first" 'kestova-wire: the input holds "\x00" at position 1; only digits and whitespace may be decoded' \
    "$(cat "$stderr_file")"
expect_exit "endless digits" 1 timeout 10 "$wire" decode < <(yes 426)
expect_exit "endless text" 1 timeout 10 "$wire" encode </dev/zero
check "endless text says why" "kestova-wire: standard input holds more than 8 MiB" "$(cat "$stderr_file")"
type="$("$wire" encode '||TYPE||USER||')"
check "a long capture decodes message by message" "300000" \
    "$(yes "$type" | head -n 300000 | timeout 60 "$wire" decode --messages | grep -c '^||TYPE||USER||$')"

if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed"
    exit 1
fi
echo "all kestova-wire checks passed"
