#!/usr/bin/env bash
# Every #include under src/ keeps to the layers: the table of folders in docs/architecture.md
# says, for each folder of src/, which other folders of the program and which toolkits (Qt, X11,
# Wayland) its files may include. A folder the table does not name, or an include it does not
# allow, is reported as FILE:LINE and fails the test. Needs no build.
set -euo pipefail
root=${1:-"$(dirname "$0")/.."}
cd "$root"
map=docs/architecture.md

grep -rn -E '^[[:space:]]*#[[:space:]]*include' src --include='*.h' --include='*.cpp' |
  awk -v map="$map" '
    BEGIN {
      while ((getline row < map) > 0) {
        if (row !~ /^\| `src\/[a-z_]+` \|/) continue
        split(row, cell, "|")
        folder = cell[2]; gsub(/[ `]|src\//, "", folder)
        allowed[folder] = " " folder " " cell[3] " "; gsub(/`/, "", allowed[folder])
        toolkits[folder] = " " cell[4] " "; gsub(/,/, " ", toolkits[folder])
        folders++
      }
      if (folders == 0) { print map ": no table of folders found" > "/dev/stderr"; exit 1 }
    }
    function cross(why) { print place ": " why > "/dev/stderr"; crossings++ }
    {
      split($0, part, ":"); place = part[1] ":" part[2]
      include = substr($0, length(place) + 2); sub(/^[[:space:]]*#[[:space:]]*include[[:space:]]*/, "", include)
      split(part[1], path, "/"); folder = path[2]
      checked++
      if (!(folder in allowed)) { cross("src/" folder " is not in the table of " map); next }
      if (include ~ /^"[^\/"]+\//) {
        target = include; sub(/^"/, "", target); sub(/\/.*/, "", target)
        if (index(allowed[folder], " " target " ") == 0) cross("src/" folder " may not include " target "/ (" include ")")
      } else if (include ~ /^<[Qq]/) {
        if (index(toolkits[folder], " Qt ") == 0) cross("src/" folder " may not include Qt (" include ")")
      } else if (include ~ /^<(X11|xcb)\//) {
        if (index(toolkits[folder], " X11 ") == 0) cross("src/" folder " may not include X11 (" include ")")
      } else if (include ~ /^<wayland-/) {
        if (index(toolkits[folder], " Wayland ") == 0) cross("src/" folder " may not include Wayland (" include ")")
      }
    }
    END {
      if (folders == 0) exit 1
      if (crossings > 0) { print crossings " includes cross the layers of " map > "/dev/stderr"; exit 1 }
      print checked " includes keep to the layers of " map
    }'
