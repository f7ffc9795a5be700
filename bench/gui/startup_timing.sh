# What the start-up measurements share, sourced by them: the time to the first painted
# window and the idle resident memory of a program, through the first-paint probe.
# Expects $probe (the probe library), $runs and $work (a scratch folder) to be set.

# Milliseconds from launch to the first painted window of one run.
time_to_first_paint() {
  local start line
  start=$(date +%s%N)
  line=$(LD_PRELOAD=$probe VORLEXI_FIRST_PAINT=quit "$@" 2>/dev/null | grep -m1 '^first-paint ')
  echo $(( (${line#first-paint } - start) / 1000 ))
}

median_ms() {
  local samples=() i
  for ((i = 0; i < runs; i++)); do
    samples+=("$(time_to_first_paint "$@")")
  done
  printf '%s\n' "${samples[@]}" | sort -n | awk '{ v[NR] = $1 } END { printf "%.1f", v[int((NR + 1) / 2)] / 1000 }'
}

# Resident memory (KiB) of a program idle after its first paint.
idle_rss_kib() {
  local fifo="$work/probe" pid line rss
  rm -f "$fifo"; mkfifo "$fifo"
  LD_PRELOAD=$probe VORLEXI_FIRST_PAINT=stay "$@" >"$fifo" 2>/dev/null &
  pid=$!
  read -r -t 30 line <"$fifo" || true
  sleep 1
  rss=$(awk '/^VmRSS:/ { print $2 }' "/proc/$pid/status")
  kill "$pid" 2>/dev/null; wait "$pid" 2>/dev/null || true
  echo "$rss"
}

ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", a / b }'; }
