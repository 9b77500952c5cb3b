# The installer's overhead and speed.
# Overhead: the bytes of each architecture's package that are not the five
# payload files, that is the stub plus Setup.exe and Setup.inf as they lie
# compressed in the cabinet (target for i686: at most 46 KB).
# Speed: the wall time of a whole install walked by the UI driver without
# pauses, in a fresh prefix each time, median of 3 (x86_64; no 32-bit code
# runs here).
set -euo pipefail
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

for arch in i686 x86_64; do
  package=dist/$arch/Chimebox-Setup.exe
  [ -f "$package" ] || { echo "wizard: $package missing"; continue; }
  stub=$(stat -c %s build/$arch/bin/Package.exe)
  total=$(stat -c %s "$package")
  tail -c +$((stub + 1)) "$package" >"$work/$arch.cab"
  # Each payload file's share of the compressed cabinet, by its size there.
  rm -rf "$work/$arch" && mkdir "$work/$arch"
  cabextract -q -d "$work/$arch" "$work/$arch.cab"
  payload=0 installer=0
  for f in "$work/$arch"/*; do
    case "$(basename "$f")" in
      Setup.exe|Setup.inf) installer=$((installer + $(stat -c %s "$f"))) ;;
      *) payload=$((payload + $(stat -c %s "$f"))) ;;
    esac
  done
  # The compressed size of the installer's files: the cabinet of them alone.
  (cd "$work/$arch" && gcab --create --zip "$work/$arch-installer.cab" Setup.exe Setup.inf)
  compressed=$(stat -c %s "$work/$arch-installer.cab")
  printf 'wizard   %-7s overhead %7d bytes (stub %d + installer files compressed %d; package %d)\n' \
    "$arch" $((stub + compressed)) "$stub" "$compressed" "$total"
done

. scripts/wine-env
export CHIMEBOX_NO_WINDOW_MANAGER=1
winpath() { local p; p="Z:$(realpath "$1")"; printf '%s' "${p//\//\\}"; }
times=()
for run in 1 2 3; do
  prefix=build/x86_64/wine/bench-wizard
  seconds=$(xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
    scripts/wine-run --prefix "$1" --fresh cmd /c exit >/dev/null 2>&1 </dev/null
    start=$(date +%s.%N)
    scripts/wine-run --prefix "$1" build/x86_64/bin/wizard_driver.exe "\"$2\"" >/dev/null 2>&1 </dev/null
    end=$(date +%s.%N)
    WINEPREFIX=$(realpath "$1") '"$WINESERVER"' -k >/dev/null 2>&1 </dev/null || true
    awk -v a="$start" -v b="$end" "BEGIN { printf \"%.3f\", b - a }"' _ "$prefix" "$(winpath dist/x86_64/Chimebox-Setup.exe)")
  times+=("$seconds")
done
median=$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)
printf 'wizard   x86_64  install walked by the UI driver: median %.2f s of %s\n' "$median" "${times[*]}"
rm -rf build/x86_64/wine/bench-wizard
