#!/usr/bin/env bash
# Builds every libFuzzer target (fuzz/fuzz_<name>.cpp) with clang, ASan and UBSan into
# build-fuzz/ and runs each for SECONDS (default 60); target names after SECONDS pick some.
# Exit status is non-zero when any target finds a crash, a leak or a time-out; the input that
# did it is left in build-fuzz/findings/.
#
# Seeds: fuzz/seeds/<name>/ (small hand-written files) plus, at run time, the real files of
# ../shared/samples when that folder is there (they are never copied into the repository),
# and generated large inputs for the store-full, more-than-999-groups and BandPlan_P25 paths.
# A new target needs only its source file, and optionally a seeds folder and a case below.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
shift || true
only=("$@")  # optional target names (without "fuzz_"): run just those
root=$PWD
build=${TARVEX_FUZZ_BUILD:-$root/build-fuzz}
samples=${TARVEX_SAMPLES_DIR:-$root/../shared/samples}
export CCACHE_DIR=${CCACHE_DIR:-/work/.ccache}

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S "$root" -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER="$(command -v clang++-14 || command -v clang++)" \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address,undefined -fno-sanitize-recover=undefined -fno-omit-frame-pointer" \
  -DTARVEX_WITH_QT=OFF -DTARVEX_WITH_TESTS=OFF -DTARVEX_WITH_BENCH=OFF -DTARVEX_WITH_FUZZ=ON \
  "${launcher[@]}" >/dev/null
cmake --build "$build" -j 2 --target fuzz_all

# ---- seed corpora ----
python_gen() { python3 "$root/fuzz/make_seeds.py" "$@"; }
corpus_of() {
  local name=$1 dir="$build/corpus/$1"
  mkdir -p "$dir"
  [ -d "$root/fuzz/seeds/$name" ] && cp -n "$root/fuzz/seeds/$name"/* "$dir"/ 2>/dev/null || true
  python_gen "$name" "$dir" "$samples"
  echo "$dir"
}

status=0
mkdir -p "$build/findings"
summary="$build/summary${only:+-${only[*]// /-}}.txt"
: >"$summary"
for exe in "$build"/fuzz/fuzz_*; do
  [ -x "$exe" ] || continue
  name=$(basename "$exe")
  name=${name#fuzz_}
  if ((${#only[@]})) && [[ " ${only[*]} " != *" $name "* ]]; then continue; fi
  corpus=$(corpus_of "$name")
  log="$build/findings/$name.log"
  echo "== fuzz_$name for ${seconds}s (corpus $(ls "$corpus" | wc -l) files)"
  # -rss_limit_mb: a reader that keeps a whole input in memory many times over is a finding too.
  # Each target writes its inputs to files (the readers take paths): RAM-backed when possible,
  # and removed afterwards.
  scratch=$(mktemp -d "$([ -w /dev/shm ] && echo /dev/shm || echo "${TMPDIR:-/tmp}")/tarvex-fuzz.XXXXXX")
  if (cd "$build/findings" && TMPDIR=$scratch ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 \
      UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      "$exe" -max_total_time="$seconds" -timeout=300 -rss_limit_mb=2048 -max_len=300000 \
      -print_final_stats=1 -artifact_prefix="$build/findings/${name}-" "$corpus" >"$log" 2>&1); then
    runs=$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')
    echo "fuzz_$name: ok, $runs runs" | tee -a "$summary"
  else
    echo "fuzz_$name: FAILED (see $log)" | tee -a "$summary"
    grep -E 'ERROR|SUMMARY|Test unit written' "$log" | head -5 || true
    status=1
  fi
  rm -rf "$scratch"
done
exit $status
