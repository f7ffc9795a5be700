# The clean Debian bookworm that the tests of a fresh machine run in: sourced by them.
# The sourcing script defines skip (exit 77 with the reason) and fail (exit 1).
#   bookworm_require_tools          skips where root, debootstrap or chroot is missing
#   bookworm_find_mirror            sets mirror to the machine's bookworm mirror, or skips
#   bookworm_bare_system CACHE M    makes CACHE/bookworm from mirror M once (debootstrap
#                                   --variant=minbase); takes CACHE/lock for the whole run
#   bookworm_mount ROOT ARGS...     mount ARGS... onto ROOT/..., remembered for
#   bookworm_unmount_all            which undoes them in reverse order

bookworm_require_tools() {
  [[ $(id -u) == 0 ]] || skip "debootstrap and chroot need root"
  command -v debootstrap >/dev/null || skip "debootstrap is not installed"
  chroot / true 2>/dev/null || skip "chroot is not permitted here"
}

# The first Debian mirror that the machine's apt sources name for bookworm (one-line
# lists or deb822 .sources), skipping when there is none or it cannot be reached.
bookworm_find_mirror() {
  local host port=80
  mirror=$(
    {
      cat /etc/apt/sources.list /etc/apt/sources.list.d/*.list 2>/dev/null \
        | sed -n 's/^deb \(\[[^]]*\] \)\?\(https\?:\/\/[^ ]*\) bookworm .*/\2/p'
      for sources in /etc/apt/sources.list.d/*.sources; do
        [[ -f $sources ]] || continue
        awk 'BEGIN { RS = ""; FS = "\n" }
             {
               uri = ""; suites = ""; types = ""; enabled = "yes"
               for (i = 1; i <= NF; ++i) {
                 if ($i ~ /^URIs:/) uri = $i
                 if ($i ~ /^Suites:/) suites = " " $i " "
                 if ($i ~ /^Types:/) types = $i
                 if ($i ~ /^Enabled: *no/) enabled = "no"
               }
               sub(/^URIs: */, "", uri); sub(/ .*/, "", uri)
               if (enabled == "yes" && types ~ / deb( |$)/ && suites ~ / bookworm / && uri ~ /^https?:/)
                 print uri
             }' "$sources"
      done
    } | head -n1
  )
  [[ -n $mirror ]] || skip "no Debian bookworm mirror in /etc/apt/sources.list*"
  host=$(sed 's|^https\?://||; s|/.*||' <<<"$mirror")
  [[ $mirror == https:* ]] && port=443
  timeout 10 bash -c "exec 3<>/dev/tcp/$host/$port" 2>/dev/null || skip "the mirror $mirror cannot be reached"
}

# The lock keeps two runs from making the system at once or sharing its .deb cache.
bookworm_bare_system() {
  local cache=$1 mirror=$2 started=$SECONDS
  mkdir -p "$cache/archives"
  exec 9>"$cache/lock"
  flock 9
  [[ -x $cache/bookworm/usr/bin/apt-get ]] && return 0
  echo "Making the bare bookworm system in $cache/bookworm from $mirror (once)"
  rm -rf "$cache/bookworm.partial"
  debootstrap --variant=minbase bookworm "$cache/bookworm.partial" "$mirror" \
    >"$cache/debootstrap.log" 2>&1 \
    || { tail -n 30 "$cache/debootstrap.log" >&2; fail "debootstrap failed (log in $cache)"; }
  mv "$cache/bookworm.partial" "$cache/bookworm"
  echo "bare system made in $((SECONDS - started)) s"
}

bookworm_mounts=()
bookworm_mount() {
  local root=$1 target=${*: -1}
  mkdir -p "$root$target"
  mount "${@:2:$#-2}" "$root$target" || fail "cannot mount $* in the chroot"
  bookworm_mounts+=("$root$target")
}

bookworm_unmount_all() {
  local i
  for ((i = ${#bookworm_mounts[@]} - 1; i >= 0; --i)); do
    umount "${bookworm_mounts[i]}" 2>/dev/null || umount -l "${bookworm_mounts[i]}" || true
  done
  bookworm_mounts=()
}
