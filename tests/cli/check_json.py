"""Reads a JSON document strictly (no NaN or Infinity tokens) and prints its values
as "path value" lines, numbers in Python's shortest round-trip form."""
import json
import sys


def refuse_constant(name):
    raise ValueError("not JSON: " + name)


def walk(path, value):
    if isinstance(value, dict):
        for key, item in value.items():
            walk(path + "." + key if path else key, item)
    elif isinstance(value, list):
        for index, item in enumerate(value):
            walk(path + "." + str(index), item)
    elif isinstance(value, bool):
        print(path, "true" if value else "false")
    elif isinstance(value, (int, float)):
        print(path, repr(float(value)))
    else:
        print(path, "string", value)


with open(sys.argv[1], "rb") as source:
    document = json.loads(source.read().decode("utf-8"), parse_constant=refuse_constant)
walk("", document)
