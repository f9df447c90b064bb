#!/usr/bin/env bash
# The engine library exports its three functions and nothing else.
set -euo pipefail
library=$1
exported=$(nm -D --defined-only "$library" | awk '$2 ~ /^[TDBRVWiu]$/ {print $3}' | sort)
expected=$(printf '%s\n' EngineGetDiskSize EngineGetVolumeSize EngineRunJob)
if [[ "$exported" != "$expected" ]]; then
    echo "unexpected exports of $library:"
    echo "$exported"
    exit 1
fi
echo "exports: $(echo $exported)"
