#!/usr/bin/env bash
# Runs every libFuzzer target for a while (seconds per target, default 600),
# growing its corpus in build/fuzz-corpus and keeping crashes in
# build/fuzz-findings. Findings belong in fuzz/regressions/<name>/ once fixed.
set -euo pipefail
top=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-600}
cmake --preset sanitize >/dev/null
cmake --build --preset sanitize
status=0
for fuzzer in "$top"/build/sanitize/fuzz/fuzz_*; do
  [ -x "$fuzzer" ] || continue
  name=${fuzzer##*/fuzz_}
  corpus="$top/build/fuzz-corpus/$name"
  findings="$top/build/fuzz-findings/$name"
  mkdir -p "$corpus" "$findings"
  echo "== $name for ${seconds}s"
  "$fuzzer" -max_total_time="$seconds" -rss_limit_mb=2048 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$findings/" "$corpus" "$top/fuzz/corpus/$name" 2>&1 | tail -n 12 || status=1
done
exit $status
