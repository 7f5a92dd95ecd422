#!/usr/bin/env bash
# Checks that a release quillmere.exe is hardened and shipped as it should be, from its PE header,
# its import table, its resources and the symbol file split off it:
#   tools/check-pe.sh OBJDUMP EXE SYMBOL_FILE MINIMUM_WINDOWS(e.g. 6.2)
# Exits non-zero when a check fails; prints every finding.
set -uo pipefail
if (($# != 4)); then
  echo "usage: $0 OBJDUMP EXE SYMBOL_FILE MINIMUM_WINDOWS" >&2
  exit 2
fi
objdump=$1 exe=$2 symbols=$3 minimum=$4
failures=0
ok() { printf 'ok: %s\n' "$*"; }
fail() { printf 'FAIL: %s\n' "$*"; failures=$((failures + 1)); }
check() {  # DESCRIPTION COMMAND...
  local description=$1
  shift
  if "$@"; then ok "$description"; else fail "$description"; fi
}

header=$("$objdump" -p "$exe") || { echo "FAIL: $objdump cannot read $exe"; exit 1; }
field() { awk -v name="$1" '$1 == name { print $2; exit }' <<<"$header"; }
has_line() { grep -qE "^[[:space:]]+$1\$" <<<"$header"; }

# Address space layout randomisation over the whole 64-bit range, with the relocations it needs,
# and no executable data.
for flag in DYNAMIC_BASE HIGH_ENTROPY_VA NX_COMPAT TERMINAL_SERVICE_AWARE; do
  check "DllCharacteristics has $flag" has_line "$flag"
done
relocations=$(awk '/Base Relocation Directory/ { print $4; exit }' <<<"$header")
check "the image carries its relocations (.reloc, $relocations bytes)" test -n "$relocations" -a "$relocations" != 00000000
check "a Windows GUI program" grep -q 'Subsystem.*(Windows GUI)' <<<"$header"

IFS=. read -r major minor <<<"$minimum"
for kind in Subsystem OSystem; do
  version="$(field "Major${kind}Version").$(field "Minor${kind}Version")"
  check "$kind version $version is the minimum Windows $minimum" test "$version" = "$major.$minor"
done

# Load configuration: mingw-w64's run-time (10) has none; MSVC's carries the control-flow guard.
load_config=$(awk '/Load Configuration Directory/ { print $4; exit }' <<<"$header")
if [[ "$load_config" == 00000000 ]]; then
  echo "note: no load configuration directory (mingw-w64 provides none, so no control-flow guard)"
else
  echo "note: load configuration directory of 0x$load_config bytes"
fi

# Only the system's DLLs: every run-time is linked in.
imports=$(awk '/DLL Name:/ { print tolower($3) }' <<<"$header" | sort -u | tr '\n' ' ')
echo "note: imports $imports"
for dll in $imports; do
  check "$dll is a system DLL" grep -qxE 'kernel32\.dll|user32\.dll|gdi32\.dll|comctl32\.dll|shell32\.dll|advapi32\.dll|ole32\.dll|oleaut32\.dll|oleacc\.dll|msvcrt\.dll|api-ms-win-.*\.dll' <<<"$dll"
done

# Shipped without symbols; they are in the symbol file, which the debug link names.
sections=$("$objdump" -h "$exe")
check "no symbol table in the exe" grep -q 'no symbols' <<<"$("$objdump" -t "$exe")"
check "no debugging sections in the exe" bash -c '! grep -q "\.debug_" <<<"$1"' _ "$sections"
check "the exe's debug link names $(basename "$symbols")" grep -qa "$(basename "$symbols")" <<<"$("$objdump" -s -j .gnu_debuglink "$exe")"
symbol_table=$("$objdump" -t "$symbols")
has_symbol() { grep -qE " $1\$" <<<"$symbol_table"; }
check "the symbol file has the line tables" grep -q '\.debug_line' <<<"$("$objdump" -h "$symbols")"
# The stack protector's guard and handler are linked in only when the code uses them; likewise a
# fortified function's checked twin.
check "stack protector: its guard __stack_chk_guard linked in" has_symbol __stack_chk_guard
check "stack protector: its handler __stack_chk_fail linked in" has_symbol __stack_chk_fail
check "_FORTIFY_SOURCE: checked functions (__*_chk) linked in" has_symbol '__[a-z]+_chk'

# Every unit of the program's own sources was compiled with the stack protector and with debugging
# information (a compile option set for one target only would leave the others out). gcc records
# its options in each unit's producer; clang does not, so its build is not checked this way.
root=$(cd "$(dirname "$0")/.." && pwd)
units=$("$objdump" --dwarf=info "$symbols" 2>/dev/null | awk -v src="$root/src/" '
  /DW_TAG_compile_unit/ { unit = 1; producer = ""; next }
  unit && /DW_AT_producer/ { producer = $0 }
  unit && /DW_AT_name/ { unit = 0; if (index($NF, src) == 1) print (producer ~ /GNU/ ? (producer ~ /-fstack-protector-strong/ ? "protected" : "unprotected") : "unrecorded"), $NF }')
if grep -q '^unrecorded' <<<"$units"; then
  echo "note: this compiler does not record its options in the symbols"
else
  # Both halves: the portable program is a library of its own, compiled apart from the Win32 layer.
  for part in app forms monitor win32; do
    check "the symbols have units of src/$part" grep -qF "$root/src/$part/" <<<"$units"
  done
  check "every unit of the program's sources has the stack protector" \
    bash -c '! grep "^unprotected" <<<"$1"' _ "$units"
fi

# The manifest names exactly the systems from the minimum on (Windows 7's id must be gone).
check "manifest: no Windows 7 entry" bash -c '! grep -qa "35138b9a-5d96-4fbd-8e2d-a2440225f93a" "$1"' _ "$exe"
for id in 4a2f28e3-53b9-4441-ba9c-d69d4a4a6e38 1f676c76-80e1-4239-95bb-83d0f6d0da78 8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a; do
  check "manifest: supportedOS $id" grep -qa "$id" "$exe"
done

echo "size: $(stat -c %s "$exe") bytes shipped, $(stat -c %s "$symbols") bytes of symbols beside it"
((failures == 0)) || { echo "$failures check(s) failed"; exit 1; }
echo "all checks passed"
