#!/usr/bin/env bash
# Makes a test prefix whose windows live in one Wine virtual desktop.
#   desktop-prefix.sh PREFIX_DIR
# Without a window manager (Xvfb), Wine waits for a top-level window's
# state change at every show and hide; inside a virtual desktop it does
# not, which makes each dialog of a test cost milliseconds, not seconds.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../.." && pwd)
prefix=$1
. "$root/scripts/wine-env"
run() { "$root/scripts/wine-run" --prefix "$prefix" "$@" </dev/null >/dev/null 2>&1; }
run reg add 'HKCU\Software\Wine\Explorer' /v Desktop /d Default /f
run reg add 'HKCU\Software\Wine\Explorer\Desktops' /v Default /d 1280x1024 /f
# The desktop already started keeps its mode: start the prefix anew.
WINEPREFIX=$(realpath "$prefix") "$WINESERVER" -k </dev/null >/dev/null 2>&1 || true
WINEPREFIX=$(realpath "$prefix") "$WINESERVER" -w </dev/null >/dev/null 2>&1 || true
