#!/bin/sh
# Runs PROBE in a private user and mount namespace in which a stand-in folder
# hides /usr/share/zoneinfo, as on a system without tzdata or with a damaged
# one. Exits 77 (reported as skipped) where such namespaces are not allowed.
#
#   run_without_tzdb.sh PROBE ATLAS empty      an empty folder
#   run_without_tzdb.sh PROBE ATLAS only-utc   a folder with nothing but UTC
set -eu
probe=$1
atlas=$2
stand_in=$(mktemp -d)
trap 'rm -rf "$stand_in"' EXIT
case $3 in
    empty) expect="no time-zone database was found" ;;
    only-utc)
        cp /usr/share/zoneinfo/Etc/UTC "$stand_in/UTC"
        expect="could not be read" ;;
    *) echo "unknown stand-in $3" >&2; exit 2 ;;
esac
if ! unshare --user --map-root-user --mount true 2>/dev/null; then
    echo "user and mount namespaces are not available: skipped"
    exit 77
fi
unshare --user --map-root-user --mount sh -c '
    mount --bind "$1" /usr/share/zoneinfo 2>/dev/null ||
        { echo "cannot hide /usr/share/zoneinfo: skipped"; exit 77; }
    exec "$2" "$3" "$4"' sh "$stand_in" "$probe" "$atlas" "$expect"
