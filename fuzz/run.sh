#!/usr/bin/env bash
# Builds the libFuzzer targets (clang, ASan, UBSan) and runs each for the
# given number of seconds, two at a time, starting from the committed corpus.
# New inputs go to build/fuzz/corpus/TARGET, crashes to build/fuzz/findings/.
#   fuzz/run.sh SECONDS [TARGET...]     (targets: content picture checkrecord clip ppm png jpeg)
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:?usage: fuzz/run.sh SECONDS [TARGET...]}
shift
targets=("$@")
[ ${#targets[@]} -gt 0 ] || targets=(content picture checkrecord clip ppm png jpeg)

scripts/install-packages.sh clang libclang-rt-14-dev
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz

export QT_QPA_PLATFORM=offscreen
mkdir -p build/fuzz/findings build/fuzz/logs
run_one() {
  local target=$1
  local work=build/fuzz/corpus/$target
  mkdir -p "$work"
  "build/fuzz/fuzz/fuzz_$target" "$work" "fuzz/corpus/$target" \
    -max_total_time="$seconds" -timeout=1 -rss_limit_mb=2560 -max_len=65536 \
    -print_final_stats=1 -artifact_prefix="build/fuzz/findings/$target-" \
    > "build/fuzz/logs/$target.log" 2>&1
}

status=0
pids=()
for target in "${targets[@]}"; do
  run_one "$target" & pids+=($!)
  if [ ${#pids[@]} -eq 2 ]; then
    wait "${pids[0]}" || status=1
    pids=("${pids[1]}")
  fi
done
for pid in "${pids[@]}"; do wait "$pid" || status=1; done

for target in "${targets[@]}"; do
  log=build/fuzz/logs/$target.log
  runs=$(grep -o 'stat::number_of_executed_units: [0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
  cov=$(grep -o 'cov: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$' || echo '?')
  ft=$(grep -o 'ft: [0-9]*' "$log" | tail -n 1 | grep -o '[0-9]*$' || echo '?')
  verdict=ok
  grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|SUMMARY: ' "$log" && verdict=FAILED
  printf '%-8s executions %-10s coverage %-6s features %-6s %s\n' "$target" "$runs" "$cov" "$ft" "$verdict"
done
exit $status
