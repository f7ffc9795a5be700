#!/usr/bin/env bash
# The bundle as built validates against the LV2 vocabularies installed here, and lilv finds
# both plugins in it.
set -euo pipefail
bundle=$(realpath "$1")
report=$(lv2_validate "$bundle"/*.ttl 2>&1)
echo "$report" | tail -n 1
echo "$report" | grep -q "^Found 0 errors" || { echo "$report"; exit 1; }
listed=$(LV2_PATH="$(dirname "$bundle")" lv2ls)
for uri in https://vorlexi.example.org/lv2/stereo https://vorlexi.example.org/lv2/mono; do
  grep -qx "$uri" <<<"$listed" || { echo "lv2ls does not list $uri: $listed"; exit 1; }
done
