#!/usr/bin/env bash
# The programs' command lines as a script meets them: a usage error ends with status 2 and says
# why on standard error only, of two --settings-dir options the last one counts, and output that
# cannot be written is not success. Nothing here gets as far as opening a window.
# Usage: command_line.sh DAZIVEDUR SWITCHER_SIM
set -u
panel=$1 sim=$2
tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
mkdir "$tmp/first" "$tmp/last"
failed=0

# expect STATUS STDERR STDOUT PROGRAM ARGS...: STDERR and STDOUT are a line each must hold
# (extended regular expressions), or empty for no output at all.
expect() {
  local status=$1 err=$2 out=$3 got
  shift 3
  env -u DISPLAY -u WAYLAND_DISPLAY "$@" >"$tmp/out" 2>"$tmp/err" </dev/null
  got=$?
  if [ "$got" != "$status" ] ||
    { [ -n "$err" ] && ! grep -qE "$err" "$tmp/err"; } || { [ -z "$err" ] && [ -s "$tmp/err" ]; } ||
    { [ -n "$out" ] && ! grep -qE "$out" "$tmp/out"; } || { [ -z "$out" ] && [ -s "$tmp/out" ]; }; then
    echo "FAIL: $(basename "$1") ${*:2}: status $got, expected $status"
    echo "--- stdout:" && cat "$tmp/out" && echo "--- stderr:" && cat "$tmp/err"
    failed=1
  fi
}

expect 2 "^dazivedur: Unknown option 'bogus'\.$" "" "$panel" --bogus
expect 2 "^dazivedur: Unexpected argument 'router\.ini'\.$" "" "$panel" router.ini
expect 2 "^dazivedur: Missing value after '--settings-dir'\.$" "" "$panel" --log-link --settings-dir
expect 0 "" "^Settings folder: $tmp/last \(as --settings-dir asks\)$" \
  "$panel" --settings-dir "$tmp/first" --settings-dir "$tmp/last" --help
expect 2 "^dazivedur: .*'$tmp/missing' does not exist" "" \
  "$panel" --settings-dir "$tmp/first" --settings-dir "$tmp/missing"
"$panel" --version >/dev/full 2>"$tmp/err" && { echo "FAIL: --version into a full disk: status 0"; failed=1; }
expect 2 "^switcher-sim: Unknown option 'bogus'\.$" "" "$sim" --bogus
expect 2 "^switcher-sim: unexpected argument$" "" "$sim" --port 0 stray
exit $failed
