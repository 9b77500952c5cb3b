# The package stub's size for both architectures against its target, and
# each package against the sum of the files its cabinet holds.
for arch in i686 x86_64; do
  case $arch in
    i686) target=6144 ;;
    x86_64) target=8192 ;;
  esac
  stub=build/$arch/bin/Package.exe
  package=dist/$arch/Chimebox-Setup.exe
  payload=build/$arch/package/payload
  if [ ! -f "$stub" ] || [ ! -f "$package" ]; then
    echo "$arch: no package built"
    continue
  fi
  size=$(stat -c %s "$stub")
  verdict=within
  [ "$size" -le "$target" ] || verdict=OVER
  printf '%-8s stub     %8d bytes (target at most %d: %s)\n' "$arch" "$size" "$target" "$verdict"
  sum=$(find "$payload" -type f -printf '%s\n' | awk '{ s += $1 } END { print s + 0 }')
  total=$(stat -c %s "$package")
  printf '%-8s package  %8d bytes for %d bytes of payload (%s%% of it)\n' "$arch" "$total" "$sum" \
    "$(awk -v t="$total" -v s="$sum" 'BEGIN { printf "%.1f", s ? 100 * t / s : 0 }')"
done
