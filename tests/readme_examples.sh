#!/usr/bin/env bash
# Runs every console example of the README's section on corvandel-calc from the README's folder
# and compares what it prints (standard error too where the example asks for it) with what the
# README shows. Usage: readme_examples.sh README FOLDER-OF-corvandel-calc
set -uo pipefail
readme=$(realpath "$1")
export PATH="$(realpath "$2"):$PATH"
cd "$(dirname "$readme")" || exit 1
examples=0 failures=0 section=0 example=0 continued=0 command='' expected=''
while IFS= read -r line; do
  case $line in
    '## The command line: corvandel-calc') section=1 ;;
    '## '*) section=0 ;;
    '```console') example=$section ;;
    *) [ "$example" = 1 ] || continue
      if [ "$continued" = 1 ]; then
        command+=$'\n'"$line"
      elif [ "$line" = '```' ] || [[ $line == '$ '* ]]; then
        if [ -n "$command" ]; then
          examples=$((examples + 1))
          got=$(bash -c "$command" 2>&1)
          [ "$got" = "$expected" ] || { failures=$((failures + 1)); echo "FAIL: \$ $command"; diff <(echo "$expected") <(echo "$got"); }
        fi
        command='' expected=''
        [ "$line" = '```' ] && example=0 || command=${line#\$ }
      else
        expected+="${expected:+$'\n'}$line"
      fi
      [[ $line == *'\' ]] && continued=1 || continued=0 ;;
  esac
done <"$readme"
echo "$examples examples, $failures differ"
[ "$examples" -gt 0 ] && [ "$failures" -eq 0 ]
