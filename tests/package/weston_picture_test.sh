#!/usr/bin/env bash
# Run by scripts/check-package-install on the screenshot Weston took of the packaged game: the
# empty playfield's backdrop has the window tests' colours at their points.
#   weston_picture_test.sh SCREENSHOT
set -uo pipefail
# shellcheck source=tests/e2e/lib.sh
source "$(dirname "$0")/../e2e/lib.sh"
E2E_NAME=weston_picture_test
SHOT=$1
check_backdrop "on Weston"
e2e_end
