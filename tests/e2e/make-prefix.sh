# Makes the template Wine prefix that every end-to-end test copies: a fresh `wineboot -i`, with the
# Wine server ended afterwards so that its registry is on disk.
source "$(dirname "$0")/lib.sh"

mkdir -p "$work_dir"
rm -rf "$template_prefix"
test_dir=$(mktemp -d "$work_dir/boot.XXXXXX")
trap cleanup EXIT
start_display "$test_dir"
export WINEPREFIX=$template_prefix
# No Mono or Gecko: nothing here needs them, and their installers would wait for a person.
WINEDLLOVERRIDES='mscoree,mshtml=' wine wineboot -i >"$test_dir/wineboot.log" 2>&1 || die "wineboot -i failed: $(cat "$test_dir/wineboot.log")"
# The program's faces, mapped onto free families with the same proportions where they are missing.
wine reg import "$(dirname "$0")/../../tools/wine-fonts.reg" >"$test_dir/fonts.log" 2>&1 || die "could not map the fonts: $(cat "$test_dir/fonts.log")"
timeout 60 wineserver -w || stop_wine
[[ -f "$template_prefix/system.reg" ]] || die "wineboot -i left no registry in $template_prefix"
note "template prefix ready in $template_prefix ($(du -sh "$template_prefix" | cut -f1))"
