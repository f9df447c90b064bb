#!/usr/bin/env bash
# Looks at Tolvane as a user would: starts it under Xvfb, takes a screenshot
# of each page and of a clone in progress (from a loop device it attaches
# itself, so it needs root), and writes them to the given folder.
# Needs xvfb, xdotool and imagemagick; run after scripts/build.sh build.
set -euo pipefail
cd "$(dirname "$0")/.."
out=$(realpath -m "${1:-/tmp/tolvane-screenshots}")
mkdir -p "$out"
work=$(mktemp -d)
loop=""
cleanup() {
    [[ -n "$loop" ]] && { partx -d "$loop" 2>/dev/null || true; losetup -d "$loop" 2>/dev/null || true; }
    rm -rf "$work"
}
trap cleanup EXIT

# A 2 GiB disk with one partition to clone.
truncate -s 2G "$work/disk.img"
printf 'label: dos\n,,L\n' | sfdisk -q "$work/disk.img"
loop=$(losetup -f --show -P "$work/disk.img")
partx -a "$loop" 2>/dev/null || true

xvfb-run -a -s "-screen 0 1000x600x24" bash -c '
    set -e
    out=$1 part=$2 work=$3
    build/app/tolvane & app=$!
    for _ in $(seq 50); do xdotool search --name "^Tolvane$" >/dev/null 2>&1 && break; sleep 0.2; done
    shot() { sleep 0.7; import -window root -crop 955x545+0+0 "$out/$1.png"; }
    click() { xdotool mousemove --sync "$1" "$2" click 1; }
    shot clone
    click 650 48; shot batch
    click 768 48; shot options
    click 218 83; shot advanced-options
    click 886 48; shot about
    click 532 48
    click 488 83; sleep 0.5; shot source-list
    xdotool type --delay 30 "$part"; xdotool key Return
    click 488 112; xdotool type --delay 5 "$work/part.img"
    click 879 97; sleep 1.5; shot clone-running
    for _ in $(seq 100); do
        xdotool search --name "^Information$" >/dev/null 2>&1 && break
        sleep 0.3
    done
    shot clone-finished
    kill $app
' _ "$out" "${loop}p1" "$work"
echo "screenshots in $out"
