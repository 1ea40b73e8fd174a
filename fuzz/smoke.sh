#!/usr/bin/env bash
# Smoke test of one fuzz target: every regression input and seed once, then RUNS generated inputs
# with a fixed seed. Usage: smoke.sh TARGET WORKDIR RUNS CORPUS REGRESSIONS
set -euo pipefail
target=$1 work=$2 runs=$3 corpus=$4 regressions=$5
rm -rf "$work"
mkdir -p "$work/corpus"
inputs=()
for d in "$regressions" "$corpus"; do
  if [ -d "$d" ] && [ -n "$(ls -A "$d")" ]; then inputs+=("$d"/*); fi
done
if ((${#inputs[@]})); then "$target" -artifact_prefix="$work/" "${inputs[@]}"; fi
"$target" -runs="$runs" -seed=1 -max_len=4096 -timeout=20 -artifact_prefix="$work/" "$work/corpus" "$corpus"
rm -rf "$work"
