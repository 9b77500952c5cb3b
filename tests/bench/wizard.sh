# The installer's overhead and speed, each beside an NSIS 3 installer that
# does the same job (tests/bench/nsis/Chimebox.nsi).
# Overhead: the bytes of each architecture's package that are not the five
# payload files, that is the stub plus Setup.exe and Setup.inf as they lie
# compressed in the cabinet. Target for i686: at most half of what the NSIS
# installer carries besides its payload, its stub (about 92 KB).
# Speed: the wall time of a whole install walked by the UI driver without
# pauses, in a fresh prefix each time, median of 3 (x86_64; no 32-bit code
# runs here). Target: no slower than the NSIS installer's silent install of
# the same payload, timed the same way.
set -euo pipefail
root=$(pwd)
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
nsis_stubs=/usr/share/nsis/Stubs

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
  overhead=$((stub + compressed))
  printf 'wizard   %-7s overhead %7d bytes (stub %d + installer files compressed %d; package %d)\n' \
    "$arch" "$overhead" "$stub" "$compressed" "$total"
  case $arch in i686) nsis_target=x86-unicode ;; x86_64) nsis_target=amd64-unicode ;; esac
  nsis_stub=$(stat -c %s "$nsis_stubs/zlib-$nsis_target")
  verdict=within
  [ $((2 * overhead)) -le "$nsis_stub" ] || verdict=OVER
  printf 'wizard   %-7s NSIS 3 %s stub %d bytes: overhead %.1f%% of it (target at most 50%%: %s)\n' \
    "$arch" "$nsis_target" "$nsis_stub" "$(awk -v o="$overhead" -v n="$nsis_stub" 'BEGIN { print 100 * o / n }')" "$verdict"
  # The NSIS installer of the same payload, for the speed comparison below.
  makensis -V1 -DPAYLOAD="$work/$arch" -DOUTFILE="$work/$arch-nsis.exe" -DTARGET="$nsis_target" \
    tests/bench/nsis/Chimebox.nsi >/dev/null
done

. scripts/wine-env
export CHIMEBOX_NO_WINDOW_MANAGER=1
winpath() { local p; p="Z:$(realpath "$1")"; printf '%s' "${p//\//\\}"; }
# Median wall time, over 3 runs in a fresh prefix each, of a command line.
median_install() {
  local times=() run seconds prefix=build/x86_64/wine/bench-wizard
  for run in 1 2 3; do
    seconds=$(xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
      prefix=$1; shift
      scripts/wine-run --prefix "$prefix" --fresh cmd /c exit >/dev/null 2>&1 </dev/null
      start=$(date +%s.%N)
      scripts/wine-run --prefix "$prefix" "$@" >/dev/null 2>&1 </dev/null
      end=$(date +%s.%N)
      WINEPREFIX=$(realpath "$prefix") '"$WINESERVER"' -k >/dev/null 2>&1 </dev/null || true
      awk -v a="$start" -v b="$end" "BEGIN { printf \"%.3f\", b - a }"' _ "$prefix" "$@")
    times+=("$seconds")
  done
  rm -rf "$prefix"
  printf '%s %s\n' "$(printf '%s\n' "${times[@]}" | sort -n | sed -n 2p)" "${times[*]}"
}

read -r ours ours_all < <(median_install build/x86_64/bin/wizard_driver.exe "\"$(winpath dist/x86_64/Chimebox-Setup.exe)\"")
printf 'wizard   x86_64  install walked by the UI driver: median %.2f s of %s\n' "$ours" "$ours_all"
read -r nsis nsis_all < <(median_install "$work/x86_64-nsis.exe" /S)
verdict=within
awk -v a="$ours" -v b="$nsis" 'BEGIN { exit !(a <= b) }' || verdict=OVER
printf 'wizard   x86_64  NSIS 3 silent install of the same payload: median %.2f s of %s (target: ours no slower: %s)\n' \
  "$nsis" "$nsis_all" "$verdict"
