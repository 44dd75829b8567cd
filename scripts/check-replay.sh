#!/usr/bin/env bash
# Runs pallawick-replay on the shipped example and compares its output with the expected
# lines, then checks that bad input ends with exit status 2 and a message. Then checks the
# example with --check (clean), a crafted file with one problem of each kind (status 1
# and the expected lines) and a directory (status 2).
#
#   check-replay.sh REPLAY_BINARY
set -uo pipefail
replay=$(realpath "$1")
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
printf 'reload none.xml\n' >"$work/reload-missing.txt"
expect_error "reload of a missing file" "reload-missing.txt:1: cannot read settings file" \
    "$examples/settings.xml" "$work/reload-missing.txt"
# A reload names its file relative to the scenario's folder, wherever the tool runs.
mkdir -p "$work/scenario"
cp "$examples/settings.xml" "$work/scenario/next.xml"
printf 'reload next.xml\n' >"$work/scenario/reload.txt"
if ! (cd / && "$replay" "$examples/settings.xml" "$work/scenario/reload.txt") >"$work/out" \
        2>"$work/err"; then
    fail "reload beside the scenario did not run: $(cat "$work/err")"
elif ! grep -q '"event":"reload next.xml","result":"loaded"' "$work/out"; then
    fail "reload beside the scenario: $(cat "$work/out")"
fi
expect_error "missing scenario" "cannot read scenario file" "$examples/settings.xml" "$work/none.txt"
expect_error "no arguments" "usage"
expect_error "check without a file" "usage" --check

if ! "$replay" --check "$examples/settings.xml" >"$work/out" 2>"$work/err"; then
    fail "--check on the example found problems: $(cat "$work/out" "$work/err")"
elif [ -s "$work/out" ]; then
    fail "--check on the example printed: $(cat "$work/out")"
fi

cat >"$work/bad.xml" <<'EOF'
<?xml version="1.0"?>
<root>
	<Layers Number="2" />
	<SimulatedKeys Delay="90" />
	<Applications>
		<Application Name="notepad.exe" Enabled="yes please">
			<Middle_Layer1 action="28" keys="{CTRL}{BOGUS}a" />
			<Left action="110" />
			<XLeft_Layer2 action="1" />
		</Application>
		<Application Name="W2:notepad.exe \;| Edit( \;| *" RegExMatching="true" Enabled="true" />
		<Application Name="Notepad.exe" Enabled="true" />
	</Applications>
</root>
EOF
cat >"$work/bad.expected" <<'EOF'
settings: <SimulatedKeys> Delay="90" is out of range; 1 is used
profile "notepad.exe": Enabled="yes please" is neither true nor false; read as true
profile "notepad.exe" layer 1 button Left: action 110 is reserved and does nothing
profile "notepad.exe" layer 2 button Middle: key string "{CTRL}{BOGUS}a": unknown tag {BOGUS} at 6
profile "notepad.exe" layer 3 button XLeft: "Right Click" is on layer 3, but only 2 layers are in use
profile "W2:notepad.exe \;| Edit( \;| *": class pattern "Edit(" is not a valid regular expression
profile "Notepad.exe": never chosen: the earlier profile "notepad.exe" takes every window this one would
EOF
cp "$work/bad.xml" "$work/bad.before"
"$replay" --check "$work/bad.xml" >"$work/out" 2>"$work/err"
code=$?
# The pattern's line ends with the regular-expression library's own reason.
sed -i 's/ (.*); the profile never matches$//' "$work/out"
if [ "$code" -ne 1 ]; then
    fail "--check on a bad file: exit status $code, expected 1"
elif ! diff -u "$work/bad.expected" "$work/out"; then
    fail "--check on a bad file: the lines differ from the expected ones"
fi
cmp -s "$work/bad.before" "$work/bad.xml" || fail "--check changed the file it checked"
"$replay" --check "$work/bad.xml" --json >"$work/out.jsonl" 2>"$work/err"
if [ "$(grep -c '^{.*"kind":"[a-z-]*","detail":".*}$' "$work/out.jsonl")" -ne 7 ]; then
    fail "--check --json: expected 7 JSON lines, got: $(cat "$work/out.jsonl")"
fi
expect_error "--check on a directory" "is a directory" --check "$work"
expect_error "--check on a missing file" "cannot read settings file" --check "$work/none.xml"
expect_error "--check on a truncated file" "not a readable settings file" --check \
    "$work/truncated.xml"

[ "$status" -eq 0 ] && echo "pallawick-replay: example, bad-input and --check checks passed"
exit "$status"
