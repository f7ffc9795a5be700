#!/usr/bin/env bash
# The core's rooms include downwards only, and every core header is included with its
# room's name: a climbing include or a bare "named_curves.h" fails here with the line.
# The order is core/README.md's, read from its list.
set -euo pipefail
top=${1:?usage: room_order_test.sh SOURCE_DIR}
cd "$top"

mapfile -t order < <(sed -n 's/^[0-9]\+\. `\([a-z_]*\)\/`.*/\1/p' core/README.md)
(( ${#order[@]} >= 4 )) || { echo "core/README.md lists no rooms"; exit 1; }
declare -A rank
for i in "${!order[@]}"; do rank[${order[$i]}]=$i; done

failed=0
for room_path in core/*/; do
  room=$(basename "$room_path")
  [[ -n "${rank[$room]+x}" ]] || { echo "core/$room/ is not in core/README.md's order"; failed=1; }
done

# Includes inside the core: the same room or one below it.
while IFS=: read -r file line text; do
  room=${file#core/}; room=${room%%/*}
  used=$(sed -n 's/.*#include "\([a-z_]*\)\/.*/\1/p' <<<"$text")
  [[ -n "$used" && -n "${rank[$used]+x}" ]] || continue
  if (( ${rank[$used]} > ${rank[$room]} )); then
    echo "$file:$line: core/$room/ includes core/$used/, which comes after it: $text"
    failed=1
  fi
done < <(grep -n '#include "' core/*/*.h core/*/*.cpp)

# Everywhere: a core header is named with its room.
headers=$(cd core && ls */*.h | sed 's|.*/||' | sort -u | paste -sd'|')
while IFS= read -r hit; do
  echo "$hit: include a core header with its room's name"
  failed=1
done < <(git ls-files -- '*.h' '*.cpp' '*.inc' | xargs grep -n -E "#include \"($headers)\"" || true)

(( failed == 0 )) && echo "core rooms in order: ${order[*]}"
exit "$failed"
