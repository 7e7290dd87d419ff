#!/usr/bin/env bash
# Starts the calculator on the offscreen platform under strace and fails if, while it starts and
# shows its window (until its event loop first waits), it opens a socket or opens, creates, moves
# or removes any file for writing.
# Usage: program_is_quiet.sh PATH-TO-PROGRAM
set -euo pipefail
program=$1
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT

# A desktop session provides a runtime directory; without one the toolkit would make its own.
mkdir -m 0700 "$scratch/runtime"
env QT_QPA_PLATFORM=offscreen XDG_RUNTIME_DIR="$scratch/runtime" HOME="$scratch" \
  "$(dirname "$0")/../scripts/start-until-idle" "$scratch/trace" \
  %network,open,openat,creat,mkdir,rename,renameat,renameat2,unlink,unlinkat,truncate \
  "$program"
if ! grep -q 'libqoffscreen.so' "$scratch/trace"; then
  echo "the trace does not show the program starting its window; nothing was checked"
  exit 1
fi

# Any socket counts; a file call counts when it succeeded (a directory that already exists, or a
# file that is not there, changes nothing).
offences=$( {
  grep -E 'socket\(|socketpair\(' "$scratch/trace" || true
  grep -v -E '= -1 E[A-Z]+' "$scratch/trace" |
    grep -E 'O_WRONLY|O_RDWR|O_CREAT|O_TRUNC|creat\(|mkdir\(|rename|unlink|truncate\(' || true
} )
if [ -n "$offences" ]; then
  echo "the program reached for the network or the file system:"
  echo "$offences"
  exit 1
fi
echo "no socket opened and no file written ($(wc -l < "$scratch/trace") calls traced)"
