#!/usr/bin/env bash
# Longer fuzzing runs than the test suite's smoke runs:
#   scripts/fuzz.sh [runs-of-the-parser [runs-of-the-launch-command]]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/setup.sh" fuzz
"$root/scripts/build.sh" native >/dev/null
dir="$root/build/native/tests/fuzz"
run() {
  local name=$1 runs=$2 corpus=$3
  if [ ! -x "$dir/$name" ]; then
    echo "fuzz: $dir/$name was not built (the native build needs clang++)" >&2
    exit 1
  fi
  mkdir -p "$dir/$name-long"
  echo "== $name: $runs inputs"
  "$dir/$name" -runs="$runs" -seed=1 -print_final_stats=1 "$dir/$name-long" "$root/tests/fuzz/corpus/$corpus" 2>&1 |
    grep -E '^(#[0-9]+ *DONE|stat::|Done)|ERROR|SUMMARY'
}
run fuzz_amount_parser "${1:-10000000}" amount_parser
run fuzz_launch_command "${2:-1000000}" launch_command
