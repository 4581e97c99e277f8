#!/usr/bin/env bash
# The live preview page's figures: first paint and panning frame rates on
# the generated 1000 km line, in headless Chromium.
#
#   bench/page.sh [BUILD_DIR]      (default: build-bench)
#
# BUILD_DIR holds scenario-builder, scenario-builder-serve and
# bench/generate_scenario.  LOADS (default 5) page loads time the first
# paint; ROUNDS (default 3) two-second pans give each frame rate.  The
# machine's load is printed before and after: the figures follow it.
set -euo pipefail
root=$(realpath "$(dirname "$0")/..")
build=$(realpath "${1:-build-bench}")
"$root/scripts/web-page" install
node "$root/bench/page_bench.mjs" "$build/scenario-builder" "$build/bench/generate_scenario"
