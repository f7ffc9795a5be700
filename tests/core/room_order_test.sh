#!/usr/bin/env bash
# The core's rooms include downwards only, every core header is included with its room's
# name, and a room's detail/ stays inside it: a climbing include, a bare
# "named_curves.h" or a front end reaching into designs/detail/ fails here with the line.
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
done < <(grep -rn --include='*.h' --include='*.cpp' '#include "' core/)

# A room's detail/ is its own: only the room, its tests and the benchmarks that measure
# its methods include it; everyone else goes through the room's door.
while IFS=: read -r file line text; do
  owner=$(sed -n 's/.*#include "\([a-z_]*\)\/detail\/.*/\1/p' <<<"$text")
  case "$file" in core/"$owner"/* | tests/core/"$owner"/* | bench/*) continue ;; esac
  echo "$file:$line: core/$owner/detail/ is the room's own; use its door: $text"
  failed=1
done < <(git ls-files -- '*.h' '*.cpp' '*.inc' | xargs grep -n '#include "[a-z_]*/detail/' || true)

# Everywhere: a core header is named with its room.
headers=$(cd core && ls */*.h */*/*.h | sed 's|.*/||' | sort -u | paste -sd'|')
while IFS= read -r hit; do
  echo "$hit: include a core header with its room's name"
  failed=1
done < <(git ls-files -- '*.h' '*.cpp' '*.inc' | xargs grep -n -E "#include \"($headers)\"" || true)

(( failed == 0 )) && echo "core rooms in order: ${order[*]}"
exit "$failed"
