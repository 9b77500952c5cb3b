# Sizes of the shipped programs of both architectures.
for arch in i686 x86_64; do
  for f in build/$arch/bin/*.exe build/$arch/bin/*.dll; do
    case "$(basename "$f")" in
      *_tests.exe|warmup.exe) continue ;;
    esac
    [ -f "$f" ] && printf '%-8s %-20s %8d bytes\n' "$arch" "$(basename "$f")" "$(stat -c %s "$f")"
  done
done
