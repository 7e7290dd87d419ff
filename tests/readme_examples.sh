#!/usr/bin/env bash
# Runs every console example of the README's section on corvandel-calc from the README's folder
# and compares what it prints, standard error included where the example asks for it, with what
# the README shows. Usage: readme_examples.sh README FOLDER-OF-corvandel-calc
set -uo pipefail
readme=$(realpath "$1")
export PATH="$(realpath "$2"):$PATH"
cd "$(dirname "$readme")" || exit 1
examples=0
failures=0

# check COMMAND EXPECTED: runs one example.
check() {
  local got
  got=$(bash -c "$1" 2>&1)
  examples=$((examples + 1))
  if [ "$got" != "$2" ]; then
    failures=$((failures + 1))
    echo "FAIL: \$ $1"
    diff <(printf '%s\n' "$2") <(printf '%s\n' "$got")
  fi
}

command='' expected='' in_section=0 in_example=0 continued=0
while IFS= read -r line; do
  case $line in
    '## The command line: corvandel-calc') in_section=1; continue ;;
    '## '*) in_section=0 ;;
  esac
  [ "$in_section" = 1 ] || continue
  if [ "$in_example" = 0 ]; then
    [ "$line" = '```console' ] && in_example=1
    continue
  fi
  if [ "$continued" = 1 ]; then
    command+=$'\n'"$line"
  elif [ "$line" = '```' ] || [[ $line == '$ '* ]]; then
    [ -n "$command" ] && check "$command" "$expected"
    command='' expected=''
    [ "$line" = '```' ] && in_example=0 || command=${line#\$ }
  else
    expected+="${expected:+$'\n'}$line"
  fi
  [[ $line == *'\' ]] && continued=1 || continued=0
done <"$readme"

echo "$examples examples, $failures differ"
[ "$examples" -gt 0 ] && [ "$failures" -eq 0 ]
