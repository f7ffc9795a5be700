#!/usr/bin/env bash
# The README's set-up on a fresh Debian 12, as a new user meets it: a minimal bookworm
# (debootstrap from the machine's mirror, cached like the package test's) with only
# build-essential and git added, the committed tree cloned into root's home folder,
# `scripts/install-deps.sh --test` run there, then the plain suite configured, built and
# run there, without this test and the package's clean install (a chroot in the chroot).
#   fresh_machine_test.sh SOURCE_DIR CACHE_DIR [COMMIT]
# COMMIT (default HEAD) is what is cloned from SOURCE_DIR; the downloaded .deb files stay
# in CACHE_DIR/archives for the next run, the build starts afresh each time. The whole
# log is left in CACHE_DIR/fresh-machine.log. Needs root, debootstrap, chroot and the
# mirror; skipped (status 77) with the reason where one is missing.
set -euo pipefail
source_dir=$1 cache=$2 wanted=${3:-HEAD}
# Leaves the rest of the ctest TIMEOUT for unmounting and removing the system.
budget_seconds=${VORLEXI_FRESH_MACHINE_BUDGET:-2280}

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
skip() {
  echo "SKIPPED: $*"
  exit 77
}
source "$(dirname "$0")/../support/bookworm_chroot.sh"

commit=$(git -C "$source_dir" rev-parse --verify --quiet "$wanted^{commit}") \
  || skip "$source_dir holds no git commit $wanted to clone"
bookworm_require_tools
bookworm_find_mirror
started=$SECONDS
bookworm_bare_system "$cache" "$mirror"

# A fixed place, so that the next run clears what a killed one (which runs no trap) left.
root=$cache/fresh-machine
log=$cache/fresh-machine.log
clear_root() {
  local process
  for process in /proc/[0-9]*; do
    [[ $(readlink "$process/root" 2>/dev/null) == "$root" ]] && kill -KILL "${process#/proc/}" 2>/dev/null
  done
  bookworm_unmount_all
  findmnt -rn -o TARGET | grep "^$root/" | sort -r | while read -r target; do
    umount -l "$target" || true
  done || true
  rm -rf --one-file-system "$root"
}
trap clear_root EXIT
trap 'exit 129' HUP
trap 'exit 130' INT
trap 'exit 143' TERM
clear_root

cp -a "$cache/bookworm" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
bookworm_mount "$root" -t proc proc /proc
bookworm_mount "$root" -t sysfs -o ro sysfs /sys
bookworm_mount "$root" --bind /dev /dev
# Read-only, so that removing the folder by hand while a run goes on cannot reach the
# machine's device nodes; the devices themselves stay writable.
mount -o remount,bind,ro "$root/dev" || fail "cannot make the chroot's /dev read-only"
bookworm_mount "$root" --bind /dev/pts /dev/pts
bookworm_mount "$root" -t tmpfs -o mode=1777 tmpfs /dev/shm
bookworm_mount "$root" -t tmpfs -o mode=1777 tmpfs /tmp
bookworm_mount "$root" --bind "$cache/archives" /var/cache/apt/archives

: >"$log"
# Runs one step in the chroot as root logs in there, within what is left of the budget.
step() {
  local what=$1 left=$((budget_seconds - (SECONDS - started))) began=$SECONDS status=0
  shift
  ((left > 0)) || fail "no time left for $what (budget $budget_seconds s)"
  echo "=== $what" >>"$log"
  timeout --kill-after=20 "$left" chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin \
    HOME=/root LANG=C.UTF-8 TERM=dumb bash -c "cd /root/vorlexi 2>/dev/null || cd /root; $*" \
    >>"$log" 2>&1 </dev/null || status=$?
  echo "$what: $((SECONDS - began)) s"
  if ((status != 0)); then
    ((status == 124)) && echo "(stopped: the budget of $budget_seconds s ran out)"
    sed -n '/The following tests FAILED/,$p' "$log"
    echo "--- the log's last lines ($log):"
    tail -n 60 "$log"
    fail "$what failed on a fresh bookworm (status $status)"
  fi
}

step "installing build-essential and git" \
  "apt-get update -qq && DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends build-essential git"
git clone --quiet --no-checkout "$source_dir" "$root/root/vorlexi"
git -C "$root/root/vorlexi" reset --quiet --hard "$commit"
echo "cloned $(git -C "$root/root/vorlexi" log -1 --format='%h %s' | cut -c1-72) into /root/vorlexi"
step "scripts/install-deps.sh --test" "scripts/install-deps.sh --test"
step "configuring" "cmake -S . -B build -G Ninja -DVORLEXI_BUILD_TESTS=ON -DVORLEXI_BUILD_BENCH=ON"
step "building" 'cmake --build build -j "$(nproc)"'
step "the plain suite" \
  'ctest --test-dir build --output-on-failure -j "$(nproc)" -E "^(packaging_fresh_machine|packaging_deb_clean_install)\$"'
grep -E 'tests passed|tests failed' "$log" | tail -n1
echo "fresh bookworm: set up, built and tested in $((SECONDS - started)) s"
