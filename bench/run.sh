#!/usr/bin/env bash
# Runs every benchmark script of this folder against a build folder.
#   bench/run.sh <build folder>
set -euo pipefail
BUILD=${1:?usage: run.sh <build folder>}
for script in "$(dirname "$0")"/*.sh; do
  [ "$(basename "$script")" = run.sh ] && continue
  bash "$script" "$BUILD"
done
