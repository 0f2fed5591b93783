#!/usr/bin/env bash
# Includes point one way: app, then screens, then core, then data. The
# platform services sit beside the core and are used by the screens only.
# A screen includes another screen only within its own area (one screen
# opening the next). A file of src/punch, src/station or src/manage is a
# screen when it or its twin (.h/.cpp) includes a Qt header; otherwise it is
# core. Prints every include that points the wrong way and fails on any.
set -euo pipefail
src="$(cd "${1:-$(dirname "$0")/../src}" && pwd)"
cd "$src"

declare -A screen=()
while IFS= read -r file; do
  screen["${file%.*}"]=1
done < <(grep -rl --include='*.h' --include='*.cpp' '^#include <Q' punch station manage)

layer= # set by layer_of, which runs without a subshell: it is called per include
layer_of() { # path relative to src
  layer="${1%%/*}"
  case "$layer" in
    data | platform | app) ;;
    *) [ -n "${screen[${1%.*}]:-}" ] && layer=screen || layer=core ;;
  esac
}

bad=0
while IFS=: read -r file target; do
  [ -f "$target" ] || continue
  [ "${file%.*}" = "${target%.*}" ] && continue # a file's own header
  layer_of "$file"
  from="$layer"
  layer_of "$target"
  to="$layer"
  case "$from:$to" in
    data:data | platform:data | platform:platform | core:data | core:core) continue ;;
    screen:data | screen:core | screen:platform | app:*) continue ;;
    screen:screen) [ "${file%%/*}" = "${target%%/*}" ] && continue ;;
  esac
  echo "src/$file ($from) includes $target ($to)"
  bad=1
done < <(grep -r --include='*.h' --include='*.cpp' -o '^#include "[^"]*"' . |
         sed 's|^\./||; s|:#include "|:|; s|"$||')

if [ "$bad" -ne 0 ]; then
  echo "check-includes: includes must point from app to screens to core to data" >&2
  exit 1
fi
