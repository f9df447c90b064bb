#!/usr/bin/env bash
# The Debian package, taken apart as dpkg would install it and started from
# there: its contents, its desktop files, the program loading its engine from
# its private folder, and the launcher with a stand-in pkexec.
#
# Usage: package_test.sh build BUILD_DIR PACKAGE_DIR
#        package_test.sh CASE PACKAGE_DIR [EXPECTED_FILES_LIST]
# Exit 77: skipped (the case needs root to become another user).
set -euo pipefail

readonly notice="running without administrator rights"
# Arguments that a shell would split, unquote or run; they must arrive as is.
# shellcheck disable=SC2016
readonly blanks_and_quotes=("/no such/disk image.img" "it's \"quoted\"" '$(touch /tmp/x)' ' ' '-E')

work=
started=()
cleanup() {
    for pid in "${started[@]}"; do
        kill "$pid" 2>/dev/null || true
        wait "$pid" 2>/dev/null || true
    done
    [[ -z $work ]] || rm -rf -- "$work"
}
trap cleanup EXIT

fail() {
    echo "FAILED: $*" >&2
    exit 1
}

skip_unless_root() {
    if [[ $(id -u) -ne 0 ]]; then
        echo "SKIPPED: needs root to run the launcher as root and as another user"
        exit 77
    fi
}

# Unpacks the package into a fresh root that any user may read.
extract() {
    local deb
    deb=$(ls "$package_dir"/tolvane_*_amd64.deb)
    work=$(mktemp -d /tmp/tolvane-package.XXXXXX)
    chmod 755 "$work"
    root=$work/root
    dpkg -x "$deb" "$root"
    private=$root/usr/lib/tolvane
    program=$private/tolvane
    launcher=$root/usr/bin/tolvane
    mkdir -m 1777 "$work/shared"
    # An environment for the program: offscreen, settings in the work folder.
    program_environment=(
        PATH=/usr/sbin:/usr/bin:/sbin:/bin
        QT_QPA_PLATFORM=offscreen
        XDG_CONFIG_HOME="$work/shared"
    )
}

# A pkexec that records its arguments, one per NUL-terminated entry, and
# ends with the given status.
stand_in_pkexec() {
    local status=$1
    mkdir -p "$work/bin"
    record=$work/shared/pkexec-arguments
    rm -f "$record"
    cat >"$work/bin/pkexec" <<EOF
#!/bin/sh
printf '%s\\0' "\$@" >'$record'
exit $status
EOF
    chmod 755 "$work/bin" "$work/bin/pkexec"
}

# Runs a command in the background and waits until the process has become
# the program, with its engine loaded; its pid is then in $pid.
start_program() {
    local log=$1
    shift
    "$@" >"$log" 2>&1 &
    pid=$!
    started+=("$pid")
    for _ in $(seq 200); do
        if [[ $(readlink "/proc/$pid/exe" 2>/dev/null) == "$program" ]] &&
            grep -q libvorlik "/proc/$pid/maps" 2>/dev/null; then
            return
        fi
        kill -0 "$pid" 2>/dev/null || fail "the program did not start: $(cat "$log")"
        sleep 0.1
    done
    fail "the program did not start within 20 seconds: $(cat "$log")"
}

# The program's arguments after its own path, one per line.
program_arguments() {
    tr '\0' '\n' <"/proc/$1/cmdline" | tail -n +2
}

expect_arguments() {
    local pid=$1
    local expected
    expected=$(printf '%s\n' "${blanks_and_quotes[@]}")
    [[ $(program_arguments "$pid") == "$expected" ]] ||
        fail "arguments changed on the way: $(program_arguments "$pid" | cat -A)"
}


# Runs a command as the unprivileged user nobody.
as_nobody=(setpriv --reuid=nobody --regid=nogroup --clear-groups)

case_build() {
    local build_dir=$1
    rm -rf "$package_dir"
    cpack -G DEB -B "$package_dir" --config "$build_dir/CPackConfig.cmake"
    ls "$package_dir"/tolvane_*_amd64.deb >/dev/null
}

case_contents() {
    local expected_files=$1 deb listing control
    deb=$(ls "$package_dir"/tolvane_*_amd64.deb)
    listing=$(dpkg-deb --contents "$deb")
    while read -r file; do
        grep -q " \./usr/$file\$" <<<"$listing" || fail "the package lacks /usr/$file"
    done <"$expected_files"
    for script in bin/tolvane lib/tolvane/tolvane-root lib/tolvane/tolvane; do
        grep -q "^-rwxr-xr-x root/root .* \./usr/$script\$" <<<"$listing" ||
            fail "/usr/$script is not an executable owned by root"
    done
    control=$(dpkg-deb --field "$deb" Depends Recommends)
    # From the binaries, and named by hand.
    for dependency in libqt6widgets6 libc6 qt6-qpa-plugins libqt6network6 pkexec; do
        grep -q "\b$dependency\b" <<<"$control" || fail "no $dependency in: $control"
    done
}

case_desktop_files() {
    extract
    desktop-file-validate "$root"/usr/share/applications/*.desktop
    appstreamcli validate --no-net "$root"/usr/share/metainfo/*.metainfo.xml
    appstreamcli validate-tree --no-net "$root"
}

case_private_folder() {
    extract
    # shellcheck disable=SC2016
    [[ $(readelf -d "$program" | grep -E 'RPATH|RUNPATH') == *'[$ORIGIN]'* ]] ||
        fail "the program's run path is not its own folder: $(readelf -d "$program" | grep PATH)"
    local binary
    for binary in "$program" "$root/usr/bin/tolvane-cli"; do
        [[ -e $binary ]] || continue
        [[ $(ldd "$binary" | grep libvorlik) =~ "=> "(.*)" (" ]] ||
            fail "ldd finds no engine for $binary"
        [[ $(readlink -f "${BASH_REMATCH[1]}") == "$private/libvorlik.so" ]] ||
            fail "ldd finds the engine of $binary at ${BASH_REMATCH[1]}"
    done
    if [[ -e $root/usr/bin/tolvane-cli ]]; then
        env -i "${program_environment[@]}" "$root/usr/bin/tolvane-cli" --version ||
            fail "tolvane-cli does not start from the package"
    fi
    start_program "$work/program.log" env -i "${program_environment[@]}" "$program"
    local engines
    engines=$(grep -o '/[^ ]*libvorlik[^ ]*' "/proc/$pid/maps" | sort -u)
    [[ $engines == "$private/libvorlik.so" ]] || fail "engine loaded from: $engines"
}

case_launcher_as_root() {
    skip_unless_root
    extract
    stand_in_pkexec 0
    start_program "$work/program.log" env -i "${program_environment[@]}" \
        PATH="$work/bin:/usr/bin:/bin" DISPLAY=:5 "$launcher" "${blanks_and_quotes[@]}"
    [[ ! -e $record ]] || fail "root called pkexec: $(tr '\0' ' ' <"$record")"
    [[ $(stat -c %u "/proc/$pid") -eq 0 ]] || fail "the program does not run as root"
    expect_arguments "$pid"
    ! grep -q "$notice" "$work/program.log" || fail "root was told it lacks rights"
}

# Each row: the display variables set for the launcher, then the NAME=value
# arguments that pkexec must receive for them.
case_launcher_as_user() {
    skip_unless_root
    extract
    local -a rows=(
        "DISPLAY=:0|XAUTHORITY=/run/user/1000/x auth 'one'|WAYLAND_DISPLAY=wayland-0|XDG_RUNTIME_DIR=/run/user/1000|LANG=de_DE.UTF-8|LC_TIME=xx_YY.bogus"
        "LANG=C"
        ""
    )
    local row status
    for row in "${rows[@]}"; do
        for status in 0 3; do
            stand_in_pkexec "$status"
            local -a variables=()
            [[ -z $row ]] || IFS='|' read -r -a variables <<<"$row"
            local result=0
            "${as_nobody[@]}" env -i "${program_environment[@]}" PATH="$work/bin:/usr/bin:/bin" \
                "${variables[@]}" timeout 20 "$launcher" "${blanks_and_quotes[@]}" || result=$?
            [[ $result -eq $status ]] || fail "launcher ended with $result, pkexec with $status"
            [[ -e $record ]] || fail "pkexec was not called for: $row"
            local -a got=()
            mapfile -d '' -t got <"$record"
            local action_program
            action_program=$(grep -o 'exec.path">[^<]*' "$root"/usr/share/polkit-1/actions/*.policy)
            [[ ${got[0]} == "$root${action_program#exec.path\">}" ]] ||
                fail "pkexec ran ${got[0]}, the action names ${action_program#exec.path\">}"
            local separator=1
            while [[ ${got[$separator]} != -- ]]; do ((++separator)); done
            local passed expected
            passed=$(printf '%s\n' "${got[@]:1:separator-1}" | sort)
            expected=$(printf '%s\n' "${variables[@]}" | sort | sed '/^$/d')
            [[ $passed == "$expected" ]] || fail "passed [$passed], expected [$expected]"
            [[ $(printf '%s\n' "${got[@]:separator+1}") == $(printf '%s\n' "${blanks_and_quotes[@]}") ]] ||
                fail "arguments changed on the way: ${got[*]:separator+1}"
        done
    done
}

# pkexec refused, could not ask, or is not there: the program starts as the
# user and says why drives and disks are missing.
case_launcher_refused() {
    skip_unless_root
    extract
    local tools=$work/tools
    mkdir -m 755 "$tools"
    for tool in sh readlink dirname id printenv env; do
        ln -s "$(command -v "$tool")" "$tools/$tool"
    done
    local path
    for path in "$work/bin:/usr/bin:/bin@126" "$work/bin:/usr/bin:/bin@127" "$tools@missing"; do
        local status=${path#*@}
        stand_in_pkexec "${status/missing/0}"
        start_program "$work/program.log" "${as_nobody[@]}" env -i "${program_environment[@]}" \
            PATH="${path%@*}" DISPLAY=:0 "$launcher" "${blanks_and_quotes[@]}"
        [[ $status == missing || -e $record ]] || fail "pkexec was not asked ($status)"
        [[ $(stat -c %u "/proc/$pid") -eq $(id -u nobody) ]] || fail "not running as the user"
        expect_arguments "$pid"
        for _ in $(seq 100); do
            grep -q "$notice" "$work/program.log" && break
            sleep 0.1
        done
        grep -q "$notice" "$work/program.log" || fail "no notice ($status): $(cat "$work/program.log")"
        kill "$pid"
        wait "$pid" || true
    done
}

# The root-side starter takes display and locale variables, leaves out
# anything else, and passes the arguments after "--" on untouched.
case_starter_environment() {
    skip_unless_root
    extract
    start_program "$work/program.log" env -i "${program_environment[@]}" \
        "$private/tolvane-root" "LANG=xx_YY.bogus" "XAUTHORITY=/tmp/a b/'x'" \
        "LD_PRELOAD=/tmp/nothing.so" "LC_ALL=../../tmp" "LC_TIME=/tmp/x" "DISPLAY=:1%s" \
        "NOEQUALS" "-- not the separator" -- "${blanks_and_quotes[@]}"
    local environment
    environment=$(tr '\0' '\n' <"/proc/$pid/environ")
    grep -qx "LANG=xx_YY.bogus" <<<"$environment" || fail "LANG lost: $environment"
    grep -qx "XAUTHORITY=/tmp/a b/'x'" <<<"$environment" || fail "XAUTHORITY lost: $environment"
    for name in LD_PRELOAD LC_ALL LC_TIME DISPLAY NOEQUALS; do
        ! grep -q "^$name=" <<<"$environment" || fail "$name was passed: $environment"
    done
    expect_arguments "$pid"
    grep -q "ignoring LD_PRELOAD" "$work/program.log" || fail "no word of what was left out"
}

readonly which=$1
if [[ $which == build ]]; then
    package_dir=$3
    case_build "$2"
else
    package_dir=$2
    "case_$which" "${@:3}"
fi
echo "PASSED: $which"
