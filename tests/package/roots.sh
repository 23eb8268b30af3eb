# shellcheck shell=bash
# Fresh minimal Debian roots, for the package's checks and for building it on another release.
# Sourced after scripts/steps.sh by a script that sets work: every root being worked in lives
# there, and roots_cleanup takes them all away.
#
# Roots are chroots in mount and process namespaces of their own (unshare), so nothing started
# inside outlives its step; they are kept as tarballs in ~/.cache/pexilon/roots (remove it to
# start from today's Debian again). Needs root, as apt and chroot do.
#
# shellcheck disable=SC2154  # cache comes from steps.sh, work from the sourcing script
roots=$cache/roots
mirror=${DEBIAN_MIRROR:-http://deb.debian.org/debian}

codename_of() {  # codename_of RELEASE: fails for a release we do not check
  case $1 in
    debian-12) echo bookworm ;;
    debian-13) echo trixie ;;
    *) return 1 ;;
  esac
}

# --one-file-system keeps rm inside the roots even if a mount were left in one.
roots_cleanup() { rm -rf --one-file-system "$work"; }

# Runs a command as root inside ROOT with a clean environment, /proc and /dev/pts (dpkg runs
# maintainer scripts on a terminal of its own when it can have one). With shared_dir set, that
# folder is the root's /run/shared too, where two roots meet (a Wayland socket).
in_root() {  # [shared_dir=DIR] in_root ROOT COMMAND...
  local root=$1
  shift
  # shellcheck disable=SC2016  # expanded by the inner shell
  unshare --mount --pid --fork --mount-proc="$root/proc" sh -c '
    mount -t devpts -o newinstance,ptmxmode=0666 devpts "$0/dev/pts" || exit 1
    if [ -n "$1" ]; then mkdir -p "$0/run/shared" && mount --bind "$1" "$0/run/shared" || exit 1; fi
    shift
    exec chroot "$0" "$@"' "$root" "${shared_dir:-}" \
    /usr/bin/env -i HOME=/root LC_ALL=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin:/usr/games "$@"
}

# A new empty work directory; prints its path. It is a system's "/": the users that apt and
# man-db switch to must be able to enter it.
new_root() {
  local dir
  mkdir -p "$work"
  dir=$(mktemp -d "$work/XXXXXX")
  chmod 755 "$dir"
  printf '%s\n' "$dir"
}

# Unpacks a cached root tarball into a new work directory; prints its path.
unpack_root() {  # unpack_root TARBALL
  local dir
  dir=$(new_root)
  tar -C "$dir" --numeric-owner -xf "$1"
  cp /etc/resolv.conf "$dir/etc/resolv.conf"
  printf '%s\n' "$dir"
}

# Packs a root into the cache; the name appears only once the tarball is complete.
save_root() {  # save_root DIR TARBALL
  tar -C "$1" --numeric-owner -cf "$2.partial" .
  mv "$2.partial" "$2"
}

# The minimal Debian root of the release, made once with debootstrap; prints the tarball.
base_root() {  # base_root CODENAME LOG
  local tarball=$roots/$1-minbase.tar dir
  if [[ ! -f $tarball ]]; then
    say "making a minimal $1 root with debootstrap" >&2
    mkdir -p "$roots"
    dir=$(new_root)
    run_logged "debootstrap $1" "$2" debootstrap --variant=minbase "$1" "$dir" "$mirror"
    save_root "$dir" "$tarball"
  fi
  printf '%s\n' "$tarball"
}
