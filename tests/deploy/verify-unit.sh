#!/bin/sh
# Checks the station's user unit with systemd's own verifier, pointed at the built terminal,
# and checks that it restarts the terminal whenever it ends.
#   verify-unit.sh UNIT_FILE BIN_DIR
set -eu
unit=$1
bin=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/runtime"
chmod 700 "$work/runtime"
sed "s|/opt/velandro|$bin|g" "$unit" >"$work/velandro-terminal.service"
XDG_RUNTIME_DIR="$work/runtime" systemd-analyze --user verify "$work/velandro-terminal.service"
grep -qx 'Restart=always' "$unit" || { echo "the unit does not restart the terminal" >&2; exit 1; }
grep -qx 'WantedBy=graphical-session.target' "$unit" ||
    { echo "the unit is not started at log-in" >&2; exit 1; }
