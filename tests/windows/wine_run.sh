#!/usr/bin/env bash
# Runs a Windows program under Wine: wine_run.sh <prefix> <pointer size> <program> [args].
# The prefix is the build's own, created without questions on first use; no
# display is used and every run has a time limit. Exits 77 (skipped) where
# this machine cannot run programs of that width.
set -euo pipefail
prefix=$1 bits=$(($2 * 8))
shift 2

loader=/usr/lib/wine/wine64
[[ $bits -eq 32 ]] && loader=/usr/lib/wine/wine
if [[ ! -x $loader ]]; then
    if [[ $bits -eq 32 ]]; then
        echo "SKIPPED: no 32-bit Wine ($loader) on this machine, so 32-bit Windows" \
            "programs cannot run here; compiled, not run."
    else
        echo "SKIPPED: Wine (wine64) is not installed."
    fi
    exit 77
fi

export WINEPREFIX=$prefix WINELOADER=$loader WINEDEBUG=-all
# Wine links the prefix's user folders into the home folder: keep it in the build.
export HOME=$prefix-home
export WINEDLLOVERRIDES="mscoree,mshtml=" # no Mono or Gecko installer prompts
unset DISPLAY WAYLAND_DISPLAY
mkdir -p "$WINEPREFIX" "$HOME"
exec timeout --kill-after=15 600 "$loader" "$@"
