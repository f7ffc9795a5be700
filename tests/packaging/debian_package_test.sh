#!/usr/bin/env bash
# The Debian package that cpack builds from this build folder.
#   debian_package_test.sh dependencies BUILD_DIR
#     every shared library that the packaged programs link comes from a package that
#     the package depends on
#   debian_package_test.sh clean-install BUILD_DIR CACHE_DIR
#     apt-get installs it into a clean Debian bookworm (debootstrap from the machine's
#     configured Debian mirror, the bare system cached in CACHE_DIR and copied afresh each
#     run) with its Depends alone, and the programs run there. Needs root, debootstrap,
#     chroot and the mirror; skipped (status 77) with the reason where one is missing.
set -euo pipefail
mode=$1 build=$2

fail() {
  echo "FAIL: $*" >&2
  exit 1
}
skip() {
  echo "SKIPPED: $*"
  exit 77
}

source "$(dirname "$0")/../support/bookworm_chroot.sh"
work=$(mktemp -d)
cleanup() {
  bookworm_unmount_all
  rm -rf --one-file-system "$work"
}
trap cleanup EXIT

cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/package" >"$work/cpack.log" 2>&1 \
  || { cat "$work/cpack.log" >&2; fail "cpack -G DEB failed"; }
deb=$(find "$work/package" -maxdepth 1 -name 'vorlexi_*.deb' -print -quit)
[[ -n $deb ]] || fail "cpack made no vorlexi_*.deb"
depends=$(dpkg-deb -f "$deb" Depends)
echo "$(basename "$deb"): Depends: $depends"

if [[ $mode == dependencies ]]; then
  dpkg-deb -x "$deb" "$work/contents"
  # Package names of the Depends field, without versions and alternatives' bars.
  named=" $(tr ',|' '\n\n' <<<"$depends" | sed 's/(.*//; s/ //g' | tr '\n' ' ') "
  checked=0
  for program in "$work"/contents/usr/bin/* "$work"/contents/usr/lib/lv2/vorlexi.lv2/vorlexi.so; do
    ldd "$program" >"$work/ldd"
    for library in $(readelf -d "$program" | sed -n 's/.*(NEEDED).*\[\(.*\)\]/\1/p'); do
      # ldd names the dynamic loader by its path alone, without "=>".
      path=$(awk -v lib="$library" '
        $1 == lib && $2 == "=>" { print $3 }
        $2 != "=>" { n = split($1, part, "/"); if (n > 1 && part[n] == lib) print $1 }
      ' "$work/ldd")
      [[ -n $path && $path != "not" ]] || fail "$(basename "$program") needs $library, which is not on this machine"
      owner=$(dpkg -S "$(realpath "$path")" 2>/dev/null | head -n1 | cut -d: -f1) \
        || owner=$(dpkg -S "$path" | head -n1 | cut -d: -f1)
      [[ $named == *" $owner "* ]] || fail "$(basename "$program") links $library from $owner, which Depends does not name"
      checked=$((checked + 1))
    done
  done
  for package in libqt6widgets6 libnlopt0 libglpk40 libsndfile1 qt6-qpa-plugins; do
    [[ $named == *" $package "* ]] || fail "Depends does not name $package"
  done
  echo "dependencies: the $checked libraries the programs link all come from named packages"
  exit 0
fi

cache=$3
bookworm_require_tools
bookworm_find_mirror
started=$SECONDS
bookworm_bare_system "$cache" "$mirror"

root="$work/root"
cp -a "$cache/bookworm" "$root"
cp /etc/resolv.conf "$root/etc/resolv.conf"
bookworm_mount "$root" -t proc proc /proc
cp "$cache"/archives/*.deb "$root/var/cache/apt/archives/" 2>/dev/null || true
cp "$deb" "$root/tmp/"
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }

in_root apt-get update -qq >"$work/apt.log" 2>&1 \
  || { cat "$work/apt.log" >&2; fail "apt-get update failed in the chroot"; }
# Recommends stay out, so that the package's Depends alone must carry the programs.
if ! in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$deb")" >>"$work/apt.log" 2>&1; then
  cat "$work/apt.log" >&2
  fail "apt-get install ./$(basename "$deb") failed in a clean bookworm"
fi
cp "$root"/var/cache/apt/archives/*.deb "$cache/archives/" 2>/dev/null || true

in_root vorlexi-calc -s 44.1k >"$work/report" 2>&1 || { cat "$work/report" >&2; fail "vorlexi-calc -s 44.1k failed"; }
grep -q '^Sampling frequency: 44100' "$work/report" || fail "vorlexi-calc printed no report"
in_root vorlexi-calc -s 44.1k --method=minimax --format=sox >/dev/null || fail "the minimax design (NLopt) failed"
in_root vorlexi-calc -s 48k --method=minimax --sections 3 --format=sox >/dev/null \
  || fail "the cascade design (GLPK) failed"
# A quiet 1 kHz tone, so that the 16-bit output cannot clip; libsndfile is opened at run time.
python3 -c 'import math, struct, wave, sys
with wave.open(sys.argv[1], "wb") as w:
    w.setnchannels(1); w.setsampwidth(2); w.setframerate(44100)
    w.writeframes(b"".join(struct.pack("<h", int(1000 * math.sin(2 * math.pi * 1000 * n / 44100))) for n in range(4410)))
' "$root/tmp/tone.wav"
in_root vorlexi-calc apply --quiet /tmp/tone.wav -o /tmp/equalised.wav >"$work/apply.log" 2>&1 \
  || { cat "$work/apply.log" >&2; fail "vorlexi-calc apply (libsndfile) failed"; }
[[ -s $root/tmp/equalised.wav ]] || fail "vorlexi-calc apply wrote no output"
in_root vorlexi --version | grep -q '^vorlexi ' || fail "vorlexi --version failed"
# The window on Qt's offscreen platform: the program runs until it is stopped.
status=0
in_root env QT_QPA_PLATFORM=offscreen HOME=/tmp timeout 5 vorlexi >"$work/gui.log" 2>&1 || status=$?
((status == 124)) || { cat "$work/gui.log" >&2; fail "vorlexi on the offscreen platform ended with status $status"; }
# The designer window likewise, which designs off the GUI thread (Qt Concurrent) at once.
status=0
in_root env QT_QPA_PLATFORM=offscreen HOME=/tmp timeout 5 vorlexi-designer >"$work/designer.log" 2>&1 || status=$?
((status == 124)) || { cat "$work/designer.log" >&2; fail "vorlexi-designer on the offscreen platform ended with status $status"; }
for file in usr/share/applications/org.example.vorlexi.desktop \
  usr/share/applications/org.example.vorlexi.designer.desktop usr/share/man/man1/vorlexi-calc.1.gz \
  usr/share/bash-completion/completions/vorlexi-calc usr/lib/lv2/vorlexi.lv2/vorlexi.so \
  usr/lib/lv2/vorlexi.lv2/manifest.ttl usr/lib/lv2/vorlexi.lv2/vorlexi.ttl; do
  [[ -f $root/$file ]] || fail "the installed package has no /$file"
done
echo "clean bookworm: installed with $(grep -c '^Unpacking' "$work/apt.log" || true) packages; vorlexi-calc -s 44.1k and vorlexi run ($((SECONDS - started)) s)"
