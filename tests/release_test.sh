#!/usr/bin/env bash
# A release folder as its page offers it (run by scripts/release once every file is in it):
#   release_test.sh RELEASE_DIR WORK_DIR
# It passes only when
#   - the source tarball, unpacked with no network and no git, builds the headless game with the
#     system's GoogleTest and passes its tests (the replay tool prints every golden trace);
#   - the tarball, both packages and both zips carry the MIT licence;
#   - the web zip uploads to a game site as it is: index.html at its root, fewer than 1000
#     files, none over 200 MB;
#   - `sha256sum -c SHA256SUMS` verifies every file.
# The tarball is built in WORK_DIR/tarball, with its log in WORK_DIR/tarball.log.
set -euo pipefail
release=$1 work=$2
step_prefix=release
# shellcheck source=scripts/steps.sh
source "$(dirname "${BASH_SOURCE[0]}")/../scripts/steps.sh"
# shellcheck source=tests/checks.sh
source "$(dirname "${BASH_SOURCE[0]}")/checks.sh"
tarball=$(find "$release" -maxdepth 1 -name 'pexilon-*.tar.gz')
version=${tarball##*/pexilon-}
version=${version%.tar.gz}

tarball_builds_offline() {
  local dir=$work/tarball
  rm -rf "$dir"
  mkdir -p "$dir"
  tar -C "$dir" -xzf "$tarball"
  [[ ! -e $dir/pexilon-$version/.git ]] || return 1
  # shellcheck disable=SC2016  # expanded by the inner shell
  unshare --map-root-user --net bash -ec '
    cd "$1"
    cmake --preset headless
    cmake --build --preset headless -j"$2"
    ctest --preset headless' _ "$dir/pexilon-$version" "$build_jobs"
}

carries_licence() {  # carries_licence FILE
  case $1 in
    *.tar.gz) tar -xzOf "$1" "pexilon-$version/LICENSE" | grep -x 'MIT License' >/dev/null ;;
    *.deb) dpkg-deb --fsys-tarfile "$1" | tar -xO ./usr/share/doc/pexilon/copyright | grep -x 'License: MIT' >/dev/null ;;
    *.zip) unzip -p "$1" LICENSE.txt | grep -x $'MIT License\r\\?' >/dev/null ;;
  esac
}

web_zip_uploads_as_is() {  # web_zip_uploads_as_is ZIP
  unzip -Z1 "$1" | grep -x index.html >/dev/null &&
    (($(unzip -Z1 "$1" | wc -l) < 1000)) &&
    unzip -Zl "$1" | awk '$1 ~ /^-/ && $4 > 200 * 1024 * 1024 { big = 1 } END { exit big }'
}

[[ -n $version ]] || die "no pexilon-VERSION.tar.gz in $release"
mkdir -p "$work"
check "$(basename "$tarball") builds and passes its tests offline" \
  logged "building and testing the tarball offline" "$work/tarball.log" tarball_builds_offline
for file in "$tarball" "$release"/*.deb "$release"/*.zip; do
  check "$(basename "$file") carries the MIT licence" carries_licence "$file"
done
check "the web zip uploads as an HTML5 game as it is" web_zip_uploads_as_is "$release/pexilon-$version-web.zip"
check "sha256sum -c SHA256SUMS verifies every file" env -C "$release" sha256sum --quiet -c SHA256SUMS
checks_summary
