#!/usr/bin/env bash
# A client of its own reads the shipped package's cabinet: for each
# "stub package" pair, the cabinet begins where the stub's image ends (its
# headers plus every section's raw data), is one MSZIP folder of a single
# cabinet, and cabextract lists and checks the seven files at top level.
set -euo pipefail

expected=$'Setup.inf\nTWMPC.exe\nTWMPCUI.dll\nLicense.txt\nTWChimebox.exe\nChimebox.chm\nSetup.exe'
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

u16() { od -An -t u2 -j "$2" -N 2 "$1" | tr -d ' '; }
u32() { od -An -t u4 -j "$2" -N 4 "$1" | tr -d ' '; }

fail() { echo "FAIL $package: $*" >&2; exit 1; }

while [ $# -ge 2 ]; do
  stub=$1 package=$2
  shift 2
  pe=$(u32 "$package" 60)
  sections=$(u16 "$package" $((pe + 6)))
  optional=$(u16 "$package" $((pe + 20)))
  end=$(u32 "$package" $((pe + 24 + 60)))
  table=$((pe + 24 + optional))
  for ((i = 0; i < sections; i++)); do
    end=$((end + $(u32 "$package" $((table + 40 * i + 16)))))
  done
  [ "$end" -eq "$(stat -c %s "$stub")" ] || fail "image ends at $end, the stub is $(stat -c %s "$stub") bytes"
  cmp -s -n "$end" "$stub" "$package" || fail "does not begin with the stub"

  cabinet=$work/cabinet.cab
  tail -c +$((end + 1)) "$package" > "$cabinet"
  [ "$(head -c 4 "$cabinet")" = MSCF ] || fail "no cabinet at $end"
  [ "$(u32 "$cabinet" 8)" -eq "$(stat -c %s "$cabinet")" ] || fail "cabinet size field differs from what follows the stub"
  [ "$(u16 "$cabinet" 26)" -eq 1 ] || fail "not one folder"
  [ "$(u16 "$cabinet" 30)" -eq 0 ] || fail "flags $(u16 "$cabinet" 30): part of a set or reserved areas"
  [ $(( $(u16 "$cabinet" 42) & 15 )) -eq 1 ] || fail "folder not MSZIP"

  listed=$(cabextract -l "$cabinet" | awk -F' [|] ' 'NF == 3 && $1 ~ /^ *[0-9]+$/ { print $3 }')
  [ "$listed" = "$expected" ] || fail "cabextract lists:"$'\n'"$listed"
  cabextract -t "$cabinet" >/dev/null || fail "cabextract finds the data damaged"
  echo "ok $package: cabinet at $end, $(stat -c %s "$cabinet") bytes, seven files"
done
