# Sizes of the shipped programs of both architectures.
for arch in i686 x86_64; do
  for name in Package.exe Setup.exe TWChimebox.exe TWMPC.exe TWMPCUI.dll; do
    f=build/$arch/bin/$name
    [ -f "$f" ] && printf '%-8s %-20s %8d bytes\n' "$arch" "$name" "$(stat -c %s "$f")"
  done
done
