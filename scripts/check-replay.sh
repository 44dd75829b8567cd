#!/usr/bin/env bash
# Runs pallawick-replay on the shipped example and compares its output with the expected
# lines, then checks that bad input ends with exit status 2 and a message.
#
#   check-replay.sh REPLAY_BINARY
set -uo pipefail
replay=$1
root="$(cd "$(dirname "$0")/.." && pwd)"
examples="$root/examples"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
status=0

fail() {
    echo "FAIL: $*"
    status=1
}

if ! "$replay" "$examples/settings.xml" "$examples/scenario.txt" >"$work/out.jsonl" 2>"$work/err"; then
    fail "the example did not run: $(cat "$work/err")"
elif ! diff -u "$examples/scenario.expected.jsonl" "$work/out.jsonl"; then
    fail "the example's output differs from examples/scenario.expected.jsonl"
fi

expect_error() {
    local what=$1 pattern=$2
    shift 2
    "$replay" "$@" >"$work/out" 2>"$work/err"
    local code=$?
    if [ "$code" -ne 2 ]; then
        fail "$what: exit status $code, expected 2"
    elif ! grep -q -- "$pattern" "$work/err"; then
        fail "$what: message '$(cat "$work/err")' does not mention '$pattern'"
    fi
}

printf 'move 1 2\nwheel lots\n' >"$work/bad.txt"
expect_error "malformed scenario" "bad.txt:2:" "$examples/settings.xml" "$work/bad.txt"
expect_error "missing settings" "cannot read settings file" "$work/none.xml" "$examples/scenario.txt"
head -c 300 "$examples/settings.xml" >"$work/truncated.xml"
expect_error "truncated settings" "cannot load settings file" "$work/truncated.xml" \
    "$examples/scenario.txt"
expect_error "missing scenario" "cannot read scenario file" "$examples/settings.xml" "$work/none.txt"
expect_error "no arguments" "usage" 

[ "$status" -eq 0 ] && echo "pallawick-replay: example and bad-input checks passed"
exit "$status"
