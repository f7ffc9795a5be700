"""Reads a CamillaDSP fragment as CamillaDSP's YAML loader would and checks it against
the structure that version documents; prints "ok" or the first mismatch.

    check_camilladsp.py VERSION RATE FILE     (VERSION 2 or 3)

Both versions: filters is a map of name -> {type: Biquad, parameters: {type: Free, b0,
b1, b2, a1, a2}}; pipeline is a list of {type: Filter, names: [...]} steps naming those
filters. CamillaDSP 3 gives a step a list of channels (channels: [0, 1]); CamillaDSP 2
one channel (channel: 0), so each channel has a step of its own. The sampling rate
lives under devices: as samplerate.
"""
import sys

import yaml


def fail(message):
    print(message)
    sys.exit(1)


def main():
    version, rate, path = int(sys.argv[1]), float(sys.argv[2]), sys.argv[3]
    text = open(path, encoding="utf-8").read()
    document = yaml.safe_load(text)
    if set(document) != {"filters", "pipeline"}:
        fail(f"top level holds {sorted(document)}")

    for name, entry in document["filters"].items():
        if entry.get("type") != "Biquad" or set(entry) != {"type", "parameters"}:
            fail(f"filter {name}: {entry}")
        parameters = entry["parameters"]
        if set(parameters) != {"type", "b0", "b1", "b2", "a1", "a2"}:
            fail(f"filter {name} parameters: {sorted(parameters)}")
        if parameters["type"] != "Free":
            fail(f"filter {name} is of type {parameters['type']}")
        for key in ("b0", "b1", "b2", "a1", "a2"):
            if not isinstance(parameters[key], (int, float)):
                fail(f"filter {name}: {key} is {parameters[key]!r}, not a number")

    channels = []
    for step in document["pipeline"]:
        channel_key = "channels" if version == 3 else "channel"
        if set(step) != {"type", channel_key, "names"} or step["type"] != "Filter":
            fail(f"pipeline step {step} is not a CamillaDSP {version} Filter step")
        if list(step["names"]) != list(document["filters"]):
            fail(f"pipeline step names {step['names']}, not the filters in order")
        if version == 3:
            if not all(isinstance(c, int) for c in step["channels"]):
                fail(f"channels {step['channels']} are not channel numbers")
            channels += step["channels"]
        else:
            if not isinstance(step["channel"], int):
                fail(f"channel {step['channel']!r} is not a channel number")
            channels.append(step["channel"])
    if sorted(channels) != [0, 1]:
        fail(f"the pipeline filters channels {channels}, not 0 and 1 once each")

    # The comment shows the devices section as it would be written.
    commented = "\n".join(line[2:] for line in text.splitlines()
                          if line.startswith("# ") and not line.startswith("# Designed"))
    devices = yaml.safe_load(commented)
    if not isinstance(devices, dict) or devices.get("devices", {}).get("samplerate") != rate:
        fail(f"the comment does not give devices: samplerate: {rate:g}: {commented!r}")
    print("ok")


main()
