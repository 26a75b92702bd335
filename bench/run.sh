#!/bin/sh
# Builds the copy benchmark in Release and runs it on Qt's offscreen platform. It makes its
# trees in a temporary folder (TMPDIR, else /tmp); pass workload names to run only those.
set -eu
root=$(cd "$(dirname "$0")/.." && pwd)
cmake -S "$root" -B "$root/build-bench" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build-bench" --target copy-bench -j "$(nproc)" >/dev/null
QT_QPA_PLATFORM=offscreen exec "$root/build-bench/bench/copy-bench" "$@"
