#!/bin/sh
# Starts Tolvane. Drives and disks belong to root: run by root, Tolvane
# starts at once; run by an ordinary user, polkit (pkexec) asks for the
# administrator's password first. When pkexec is missing, or the rights are
# refused or cannot be asked for (pkexec's own exit codes 126 and 127),
# Tolvane starts without them and says so in its log.
#
# The user's arguments are only ever passed on as "$@", never evaluated.
set -u

here=$(dirname -- "$(readlink -f -- "$0")")
libdir=$(readlink -f -- "$here/../lib/tolvane")
program=$libdir/tolvane

if [ "$(id -u)" -eq 0 ] || ! command -v pkexec >/dev/null 2>&1; then
    exec "$program" "$@"
fi

# pkexec clears the environment: the display, the session and the locale go
# to the root-side starter as NAME=value arguments, up to "--".
set -- -- "$@"
passed=1
for name in DISPLAY XAUTHORITY WAYLAND_DISPLAY XDG_RUNTIME_DIR XDG_SESSION_TYPE \
    XDG_CURRENT_DESKTOP LANG LANGUAGE LC_ALL LC_CTYPE LC_NUMERIC LC_TIME LC_COLLATE \
    LC_MONETARY LC_MESSAGES LC_PAPER LC_NAME LC_ADDRESS LC_TELEPHONE LC_MEASUREMENT \
    LC_IDENTIFICATION; do
    if value=$(printenv -- "$name"); then
        set -- "$name=$value" "$@"
        passed=$((passed + 1))
    fi
done

pkexec "$libdir/tolvane-root" "$@"
status=$?
case $status in
    126 | 127) ;;
    *) exit "$status" ;;
esac

shift "$passed"
exec "$program" "$@"
