#!/usr/bin/env bash
# Every #include under src/ keeps to the layers: the table "Which folder may include which" of
# docs/architecture.md says, for each folder of src/, which other folders of the program and
# which toolkits (Qt, X11, Wayland) its files may include. A folder the table does not name, or an
# include it does not allow, is reported as FILE:LINE and fails the test. Needs no build.
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
map="$root/docs/architecture.md"

declare -A may_include toolkits
while IFS='|' read -r _ folder includes kits _; do
  folder=$(tr -d ' `' <<<"$folder")
  may_include[${folder#src/}]=" ${folder#src/} $(tr -d '`' <<<"$includes" | xargs) "
  toolkits[${folder#src/}]=" $(tr -d ',' <<<"$kits" | xargs) "
done < <(grep -E '^\| `src/[a-z_]+` \|' "$map")
if [ "${#may_include[@]}" -eq 0 ]; then
  echo "$map: no table of folders found" >&2
  exit 1
fi

crossings=0
cross() {
  echo "$1: $2" >&2
  crossings=$((crossings + 1))
}

checked=0
while IFS= read -r file; do
  relative=${file#"$root"/}
  folder=$(cut -d/ -f2 <<<"$relative")
  if [ -z "${may_include[$folder]:-}" ]; then
    cross "$relative" "src/$folder is not in the table of $map"
    continue
  fi
  while IFS=: read -r line include; do
    checked=$((checked + 1))
    case $include in
      *'"'*/*)
        target=$(sed -E 's/.*"([^/]+)\/.*/\1/' <<<"$include")
        [[ ${may_include[$folder]} == *" $target "* ]] ||
          cross "$relative:$line" "src/$folder may not include $target/ ($include)"
        ;;
      *'<Q'* | *'<q'*)
        [[ ${toolkits[$folder]} == *" Qt "* ]] ||
          cross "$relative:$line" "src/$folder may not include Qt ($include)"
        ;;
      *'<X11/'* | *'<xcb/'*)
        [[ ${toolkits[$folder]} == *" X11 "* ]] ||
          cross "$relative:$line" "src/$folder may not include X11 ($include)"
        ;;
      *'<wayland-'*)
        [[ ${toolkits[$folder]} == *" Wayland "* ]] ||
          cross "$relative:$line" "src/$folder may not include Wayland ($include)"
        ;;
    esac
  done < <(grep -n -E '^[[:space:]]*#[[:space:]]*include' "$file" | sed -E 's/^([0-9]+):.*include[[:space:]]*/\1:/')
done < <(find "$root/src" -type f \( -name '*.h' -o -name '*.cpp' \) | sort)

if [ "$crossings" -gt 0 ]; then
  echo "$crossings includes cross the layers of $map" >&2
  exit 1
fi
echo "$checked includes keep to the layers of $map"
