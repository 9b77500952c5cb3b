# Size of TWChimebox.exe for both architectures, against the 64 KB target
# for the shipped i686 program.
target=65536
for arch in i686 x86_64; do
  f=build/$arch/bin/TWChimebox.exe
  [ -f "$f" ] || { echo "manager  $arch: TWChimebox.exe not built"; continue; }
  size=$(stat -c %s "$f")
  note=""
  [ "$arch" = i686 ] && { [ "$size" -le "$target" ] && note="(within the $target-byte target)" || note="(over the $target-byte target by $((size - target)) bytes)"; }
  printf 'manager  %-7s TWChimebox.exe %8d bytes %s\n' "$arch" "$size" "$note"
done
