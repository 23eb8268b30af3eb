# shellcheck shell=bash
# Sourced by the tests' scripts after scripts/steps.sh: checks and their tally, a line each on
# stderr ("ok - WHAT", "not ok - WHAT") and a summary that fails when one of them failed.

checks_passed=0
checks_failed=0
pass() {
  checks_passed=$((checks_passed + 1))
  say "ok - $1"
}
fail() {
  checks_failed=$((checks_failed + 1))
  say "not ok - $1"
}

# check DESCRIPTION COMMAND...: the command's success is the check. When the sourcing script
# sets check_log, the command's output goes there rather than to the terminal.
check() {
  local what=$1 status=0
  shift
  if [[ -n ${check_log:-} ]]; then
    printf '\n### %s\n' "$what" >>"$check_log"
    "$@" >>"$check_log" 2>&1 </dev/null || status=$?
  else
    "$@" || status=$?
  fi
  if ((status == 0)); then
    pass "$what"
  else
    fail "$what${check_log:+ (see $check_log)}"
  fi
}

# Says how the checks went; fails when one of them did.
checks_summary() {
  say "$checks_passed passed, $checks_failed failed"
  ((checks_failed == 0))
}
