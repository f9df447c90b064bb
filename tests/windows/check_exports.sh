#!/usr/bin/env bash
# Reads a Windows binary's tables with objdump:
#   check_exports.sh exports <objdump> Vorlik.dll   three ordinals, no names, library Kestrum
#   check_exports.sh runtime <objdump> Vorlik.dll   no compiler runtime DLL imported
#   check_exports.sh binding <objdump> program.exe  Vorlik.dll imported by ordinals 1 to 3
set -euo pipefail
check=$1 objdump=$2 binary=$3
tables=$("$objdump" -p "$binary")

fail() {
    echo "FAIL: $*"
    exit 1
}

exports() {
    local edata
    edata=$(awk '/^The Export Tables/ {on = 1} /^(The Function Table|PE File Base)/ {on = 0} on' \
        <<<"$tables")
    [[ -n $edata ]] || fail "no export table"
    echo "$edata"
    grep -qE '^Name[[:space:]]+[0-9a-f]+ Kestrum\.dll$' <<<"$edata" ||
        fail "the export directory does not name the library Kestrum"
    grep -qE '^Ordinal Base[[:space:]]+1$' <<<"$edata" || fail "ordinals do not start at 1"
    grep -qE 'Export Address Table[[:space:]]+00000003$' <<<"$edata" ||
        fail "not exactly three exports"
    grep -qE '\[Name Pointer/Ordinal\] Table[[:space:]]+00000000$' <<<"$edata" ||
        fail "exports carry names"
    # Nothing may follow the header of the (empty) name table.
    local names
    names=$(sed -n '/^\[Ordinal\/Name Pointer\] Table/,$p' <<<"$edata" |
        grep -cE '^[[:space:]]+\[' || true)
    [[ $names -eq 0 ]] || fail "$names exported names"
    # Each ordinal leads to its function, as the symbol table places it.
    local nm=${objdump%objdump}nm image_base ordinal name rva address
    image_base=$(awk '/^ImageBase/ {print $2}' <<<"$tables")
    for export in 1:EngineRunJob 2:EngineGetDiskSize 3:EngineGetVolumeSize; do
        ordinal=${export%%:*} name=${export#*:}
        rva=$(sed -nE "s/.*\+base\[ *$ordinal\] ([0-9a-f]+) Export RVA.*/\1/p" <<<"$edata")
        address=$("$nm" "$binary" | awk -v n="$name" '$3 ~ ("^_?" n "(@[0-9]+)?$") {print $1}')
        [[ -n $rva && -n $address ]] || fail "no export at ordinal $ordinal or no symbol $name"
        ((16#$address - 16#$image_base == 16#$rva)) || fail "ordinal $ordinal is not $name"
        echo "ordinal $ordinal: $name"
    done
}

runtime() {
    local dlls
    dlls=$(grep -E '^[[:space:]]*DLL Name:' <<<"$tables" | awk '{print $3}')
    echo "$dlls"
    [[ -n $dlls ]] || fail "no imports read"
    while read -r dll; do
        case ${dll,,} in
        kernel32.dll | msvcrt.dll) ;;
        *) fail "imports $dll" ;;
        esac
    done <<<"$dlls"
}

binding() {
    # The import block of Vorlik.dll ends at the first empty line.
    local block
    block=$(awk '/DLL Name:/ {on = ($3 == "Vorlik.dll")} on && NF == 0 {on = 0} on' <<<"$tables")
    echo "$block"
    [[ -n $block ]] || fail "Vorlik.dll is not imported"
    grep -qi 'kestrum' <<<"$tables" && fail "binds the library's inner name"
    # Entries: address, hint or ordinal, member name ("<none>" when by ordinal).
    local entries ordinals
    entries=$(sed -n '/Hint\/Ord/,$p' <<<"$block" | tail -n +2)
    awk '$3 != "<none>" {exit 1}' <<<"$entries" || fail "imports by name"
    ordinals=$(awk '{print $2 + 0}' <<<"$entries" | sort -n | tr '\n' ' ')
    [[ $ordinals == "1 2 3 " ]] || fail "imports by ordinal: '$ordinals', expected 1 2 3"
}

"$check"
echo "PASS: $check of $(basename "$binary")"
