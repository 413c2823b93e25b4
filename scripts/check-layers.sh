#!/usr/bin/env bash
# Fails when a source folder includes an internal header of a folder it does not
# depend on (the DEPS of its tavix_module line in CMakeLists.txt, followed
# through), so that lower layers never reach up.
set -euo pipefail
cd "$(dirname "$0")/.."
declare -A deps
while read -r name rest; do
  deps[$name]=$(grep -o 'tavix_[a-z]*' <<<"$rest" | sed 's/tavix_//' | tr '\n' ' ' || true)
done < <(sed -n 's/^tavix_module(\([a-z]*\)\(.*\))$/\1 \2/p' CMakeLists.txt)

closure() {
  local seen=" $1 " queue="$1" m d
  while [ -n "$queue" ]; do
    m=${queue%% *}; queue=${queue#"$m"}; queue=${queue# }
    for d in ${deps[$m]:-}; do
      case "$seen" in *" $d "*) ;; *) seen="$seen$d "; queue="$queue $d"; queue=${queue# } ;; esac
    done
  done
  echo "$seen"
}

status=0
for m in "${!deps[@]}"; do
  [ -d "src/$m" ] || continue
  allowed=$(closure "$m")
  while IFS=: read -r file line folder; do
    case "$allowed" in *" $folder "*) ;; *)
      echo "$file:$line: src/$m may not include from src/$folder"; status=1 ;;
    esac
  done < <(grep -rnoE '^#include "[a-z_]+/' "src/$m" | sed -E 's/#include "([a-z_]+)\//\1/')
done
exit $status
