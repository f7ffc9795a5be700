#!/usr/bin/env bash
# A PipeWire daemon on a runtime and configuration folder of its own, with the
# filter-chain that vorlexi-calc --format=pipewire writes: it stays up and creates the
# filter's node, the plugin loaded from the bundle as built, every control of the file
# set. Skipped (77) without PipeWire.
#   pipewire_daemon_test.sh VORLEXI_CALC LV2_PATH_FOLDER
set -euo pipefail
calc="$1"
lv2_path=$(realpath "$2")
for tool in pipewire pw-dump; do
  command -v "$tool" >/dev/null || { echo "skipped: $tool is not installed (pipewire-bin)"; exit 77; }
done

scratch=$(mktemp -d)
daemon=
finish() {
  if [[ -n "$daemon" ]] && kill -0 "$daemon" 2>/dev/null; then
    kill "$daemon"
    wait "$daemon" 2>/dev/null || true
  fi
  rm -rf "$scratch"
}
trap finish EXIT

export XDG_RUNTIME_DIR="$scratch/runtime" XDG_CONFIG_HOME="$scratch/config"
export LV2_PATH="$lv2_path" PIPEWIRE_REMOTE=pipewire-0
unset DBUS_SESSION_BUS_ADDRESS
mkdir -m 700 "$XDG_RUNTIME_DIR"
mkdir -p "$XDG_CONFIG_HOME/pipewire/pipewire.conf.d"
# With the rumble filter, so that PipeWire meets the two controls at the end of the table.
"$calc" --curve columbia-lp -s 48000 --rumble 20 --format=pipewire \
  > "$XDG_CONFIG_HOME/pipewire/pipewire.conf.d/vorlexi_columbia-lp_playback.conf"

pipewire > "$scratch/daemon.log" 2>&1 &
daemon=$!
node=
for _ in $(seq 1 50); do
  sleep 0.2
  kill -0 "$daemon" 2>/dev/null || break
  if pw-dump > "$scratch/dump.json" 2>/dev/null &&
     grep -q '"node.name": "vorlexi_columbia-lp_playback"' "$scratch/dump.json"; then
    node=found
    break
  fi
done
sleep 1
if ! kill -0 "$daemon" 2>/dev/null; then
  echo "PipeWire stopped:"; cat "$scratch/daemon.log"; exit 1
fi
if [[ -z "$node" ]]; then
  echo "no node vorlexi_columbia-lp_playback:"; cat "$scratch/daemon.log"; exit 1
fi
grep -q '"node.name": "capture.vorlexi_columbia-lp_playback"' "$scratch/dump.json" ||
  { echo "no capture node"; exit 1; }
# PipeWire only warns of a control the plugin does not have, and runs on without it.
if grep "can not be set" "$scratch/daemon.log"; then
  echo "the plugin has no such control"; exit 1
fi
echo "PipeWire is up with the filter's nodes"
