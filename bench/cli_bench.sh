#!/usr/bin/env bash
# tolvane-cli clone against dd, and clone --verify against a plain clone.
#
#   bash bench/cli_bench.sh [build folder] [work folder] [rounds]
#
# Root: a loop device is attached to a 1 GiB file in the work folder (default
# the system's temporary folder) and cloned into an image beside it, by
# `tolvane-cli clone` and by `dd bs=512K conv=fsync` in alternation, then by
# `tolvane-cli clone --verify` and a plain clone in alternation. Prints the
# median wall times and their ratios. Everything it creates is removed.
set -euo pipefail

build=${1:-build}
work=$(mktemp -d "${2:-${TMPDIR:-/tmp}}/cli_bench.XXXXXX")
rounds=${3:-5}
cli=$(realpath "$build/app/tolvane-cli")
loop=

cleanup() {
    [[ -n $loop ]] && losetup -d "$loop"
    rm -rf "$work"
}
trap cleanup EXIT

head -c $((1 << 30)) /dev/urandom >"$work/source.bin"
loop=$(losetup -f --show "$work/source.bin")

seconds() {
    local start end
    start=$(date +%s.%N)
    "$@" >/dev/null 2>&1 || { echo "failed: $*" >&2; exit 1; }
    end=$(date +%s.%N)
    awk -v a="$start" -v b="$end" 'BEGIN { print b - a }'
}

median() {
    sort -g | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'
}

clone() { rm -f "$work/image.img"; "$cli" clone "$loop" "$work/image.img" --yes "$@"; }
dd_copy() { rm -f "$work/image.img"; dd if="$loop" of="$work/image.img" bs=512K conv=fsync status=none; }

dd_copy # warm-up: every timed run finds the source alike
cli_times=() dd_times=() verify_times=() plain_times=()
for ((i = 0; i < rounds; i++)); do
    cli_times+=("$(seconds clone)")
    dd_times+=("$(seconds dd_copy)")
done
for ((i = 0; i < rounds; i++)); do
    verify_times+=("$(seconds clone --verify)")
    plain_times+=("$(seconds clone)")
done

cli_median=$(printf '%s\n' "${cli_times[@]}" | median)
dd_median=$(printf '%s\n' "${dd_times[@]}" | median)
verify_median=$(printf '%s\n' "${verify_times[@]}" | median)
plain_median=$(printf '%s\n' "${plain_times[@]}" | median)
printf 'clone of 1 GiB, %d rounds each, alternating\n' "$rounds"
printf '  tolvane-cli clone          median %.3f s\n' "$cli_median"
printf '  dd bs=512K conv=fsync      median %.3f s\n' "$dd_median"
printf '  ratio tolvane-cli / dd     %.3f\n' "$(awk -v a="$cli_median" -v b="$dd_median" 'BEGIN { print a / b }')"
printf '  tolvane-cli clone --verify median %.3f s\n' "$verify_median"
printf '  tolvane-cli clone          median %.3f s\n' "$plain_median"
printf '  ratio --verify / plain     %.3f\n' "$(awk -v a="$verify_median" -v b="$plain_median" 'BEGIN { print a / b }')"
