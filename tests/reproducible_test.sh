#!/usr/bin/env bash
# The release's zips come out the same from the same files, whatever their times, permissions
# and the build's time zone; and a tree without git takes its time from the changelog.
#   reproducible_test.sh SOURCE_DIR
set -euo pipefail
step_prefix=reproducible_test
# shellcheck source=scripts/steps.sh
source "$1/scripts/steps.sh"
# shellcheck source=tests/checks.sh
source "$1/tests/checks.sh"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

mkdir "$work/a" "$work/b"
printf 'one\n' | tee "$work/a/one.txt" >"$work/b/one.txt"
printf 'two\n' | tee "$work/a/two.bin" >"$work/b/two.bin"
touch -d '2001-02-03 04:05:06' "$work/a/one.txt"
chmod 0755 "$work/b/two.bin"
export SOURCE_DATE_EPOCH=1700000000
TZ=Asia/Tokyo zip_reproducibly "$work/a.zip" "$work/a" one.txt two.bin
TZ=America/Lima zip_reproducibly "$work/b.zip" "$work/b" one.txt two.bin
check "the same files give the same zip" cmp "$work/a.zip" "$work/b.zip"
check "the zip's files carry SOURCE_DATE_EPOCH" \
  test "$(TZ=UTC unzip -Z -T "$work/a.zip" one.txt | awk '{ print $7 }')" == 20231114.221320

mkdir -p "$work/tree/share/doc"
cp "$1/share/doc/changelog" "$work/tree/share/doc/"
unset SOURCE_DATE_EPOCH
check "a tree without git takes the changelog's date" \
  test "$(source_date_epoch "$work/tree")" == "$(date -d "$(dpkg-parsechangelog -l "$1/share/doc/changelog" -S Date)" +%s)"
checks_summary
