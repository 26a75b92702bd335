#!/usr/bin/env bash
# Installs what the build and the tests need, builds with warnings as errors and runs every test
# with CTest on Qt's offscreen platform: once in a plain build, once in a build with
# AddressSanitizer and UndefinedBehaviorSanitizer. Then checks that the sources are
# clang-formatted. Exits non-zero if anything failed.
set -euo pipefail

root=$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)
. "$root/scripts/packages.sh"

# e2fsprogs: chattr, which the tests use to make a refusal real for root.
ensure_packages qt6-base-dev cmake make g++ clang-format e2fsprogs fontconfig fonts-dejavu-core

export QT_QPA_PLATFORM=offscreen
# Leaks of the system's font and GL libraries are theirs; nothing of ours is suppressed.
export LSAN_OPTIONS="suppressions=$root/scripts/lsan.supp:print_suppressions=0"
export ASAN_OPTIONS="detect_leaks=1"
export UBSAN_OPTIONS="print_stacktrace=1:halt_on_error=1"

failed=()

# run_suite NAME BUILD_DIR [CMAKE_OPTION...]
run_suite() {
    local name=$1 dir=$2
    shift 2
    echo "=== $name build ($dir)"
    mkdir -p "$dir"
    if ! { cmake -S "$root" -B "$dir" -DVELMORA_WERROR=ON "$@" &&
        cmake --build "$dir" -j "$(nproc)"; } >"$dir/build.log" 2>&1; then
        tail -n 60 "$dir/build.log"
        echo "=== $name build FAILED (full log: $dir/build.log)"
        failed+=("$name build")
        return 0
    fi
    echo "=== $name tests"
    ctest --test-dir "$dir" --output-on-failure || failed+=("$name tests")
}

run_suite plain "$root/build-check"
run_suite sanitizer "$root/build-check-asan" -DVELMORA_SANITIZE=ON

echo "=== clang-format"
if [ -d "$root/.git" ] && command -v git >/dev/null; then
    mapfile -t sources < <(git -C "$root" ls-files '*.cpp' '*.h')
else
    mapfile -t sources < <(cd "$root" && find . -path './build*' -prune -o \
        \( -name '*.cpp' -o -name '*.h' \) -print)
fi
if (cd "$root" && clang-format --dry-run --Werror "${sources[@]}"); then
    echo "clang-format: ${#sources[@]} files clean"
else
    failed+=("clang-format")
fi

if [ ${#failed[@]} -gt 0 ]; then
    echo "test.sh: FAILED: ${failed[*]}"
    exit 1
fi
echo "test.sh: all passed (plain and sanitizer builds, clang-format)"
