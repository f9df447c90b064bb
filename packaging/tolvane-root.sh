#!/bin/sh
# Run as root by pkexec for /usr/bin/tolvane: takes the caller's display,
# session and locale as NAME=value arguments up to "--" and starts Tolvane
# with the arguments after it. Only the names below are taken, and only
# values that cannot lead a root process to files of the caller's choosing
# (as pkexec itself judges the variables it keeps); anything else is left
# out with a word on standard error, and Tolvane starts all the same.
set -u

program=$(dirname -- "$(readlink -f -- "$0")")/tolvane

skip() {
    printf 'tolvane: ignoring %s\n' "$1" >&2
}

while [ $# -gt 0 ]; do
    argument=$1
    shift
    [ "$argument" = -- ] && break
    name=${argument%%=*}
    value=${argument#*=}
    if [ "$name" = "$argument" ]; then
        skip "$argument"
        continue
    fi
    case $value in
        *%* | *..*)
            skip "$argument"
            continue
            ;;
    esac
    case $name in
        XAUTHORITY | XDG_RUNTIME_DIR | WAYLAND_DISPLAY) ;;
        DISPLAY | XDG_SESSION_TYPE | XDG_CURRENT_DESKTOP | LANG | LANGUAGE | LC_ALL | LC_CTYPE | \
            LC_NUMERIC | LC_TIME | LC_COLLATE | LC_MONETARY | LC_MESSAGES | LC_PAPER | LC_NAME | \
            LC_ADDRESS | LC_TELEPHONE | LC_MEASUREMENT | LC_IDENTIFICATION)
            case $value in
                */*)
                    skip "$argument"
                    continue
                    ;;
            esac
            ;;
        *)
            skip "$argument"
            continue
            ;;
    esac
    export "$name=$value"
done

exec "$program" "$@"
