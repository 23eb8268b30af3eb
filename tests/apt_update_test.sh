#!/usr/bin/env bash
# The set-up's apt-get update waits for another apt that holds the package lists, and fails at
# once on any other failure. apt-get is a stand-in here that fails as told, then succeeds.
#   apt_update_test.sh SOURCE_DIR
set -euo pipefail
step_prefix=apt_update_test
# shellcheck source=scripts/steps.sh
source "$1/scripts/steps.sh"
# shellcheck source=tests/checks.sh
source "$1/tests/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
as_root() { "$@"; }
cat >"$work/apt-get" <<'STANDIN'
#!/bin/sh
# Fails with the message in $WORK/failure as many times as $WORK/failures says, then succeeds.
calls=$(($(cat "$WORK/calls") + 1))
echo "$calls" >"$WORK/calls"
[ "$calls" -gt "$(cat "$WORK/failures")" ] && exit 0
cat "$WORK/failure" >&2
exit 100
STANDIN
chmod +x "$work/apt-get"
export PATH=$work:$PATH WORK=$work

# updates FAILURES MESSAGE EXPECTED_CALLS EXPECTED_STATUS
updates() {
  echo 0 >"$work/calls"
  echo "$1" >"$work/failures"
  printf '%s\n' "$2" >"$work/failure"
  local status=0
  (apt_update_once "$work/log") 2>/dev/null || status=$?
  [[ $(<"$work/calls") == "$3" && $status == "$4" ]] ||
    { echo "apt-get ran $(<"$work/calls") times, status $status"; return 1; }
}

lock='E: Could not get lock /var/lib/apt/lists/lock. It is held by process 6042 (apt-get)'
check "an update that another apt's lock held up is tried again and succeeds" updates 1 "$lock" 2 0
check "an update that fails for another reason is not tried again" \
  updates 1 'E: The repository is not signed.' 1 1
checks_summary
