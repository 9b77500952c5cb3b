#!/usr/bin/env bash
# Install engine: wall time of installing and uninstalling the shipped
# payload (median of 5), with and without the registration pass. Uses the
# built programs of the payload where they exist and small stand-ins for
# those that do not (the help file, for instance, when it is not built).
set -euo pipefail
cd "$(dirname "$0")/../.."
bin=build/x86_64/bin
payload=build/x86_64/bench-engine
prefix=build/x86_64/wine/bench_engine

rm -rf "$payload"
mkdir -p "$payload"
cp resources/setup/Setup.inf resources/setup/License.txt "$payload/"
for f in TWChimebox.exe TWMPC.exe TWMPCUI.dll Chimebox.chm; do
  if [ -f "$bin/$f" ]; then
    cp "$bin/$f" "$payload/"
  else
    echo "($f not built: a stand-in file is installed in its place)"
    printf 'stand-in for %s\r\n' "$f" >"$payload/$f"
  fi
done

. scripts/wine-env
run() { scripts/wine-run --prefix "$prefix" "$@"; }
run --fresh reg add 'HKLM\SOFTWARE\Microsoft\Windows\CurrentVersion\SharedDLLs' /f >/dev/null 2>&1
# Wine would mirror each Start-menu link into the host's desktop menus.
run reg add 'HKCU\Software\Wine\DllOverrides' /v winemenubuilder.exe /d '' /f >/dev/null 2>&1
win_payload="Z:$(realpath "$payload" | tr / '\\')\\"
status=0
run "$bin/engine_bench.exe" "$win_payload" 2>/dev/null || status=$?
WINEPREFIX=$(realpath "$prefix") "$WINESERVER" -k >/dev/null 2>&1 || true
exit $status
