#!/usr/bin/env bash
# VRX2.iso and VRX2.zip of a 32-bit build hold the tree of its dist/, names
# and bytes: the ISO read through its Joliet names (no Rock Ridge), with the
# volume label VRX2; the zip as unzip lists and extracts it.
#   medium_images_test.sh <build directory of the 32-bit programs>
set -uo pipefail
build=${1:?usage: medium_images_test.sh <build dir>}
dist=$build/dist iso=$build/VRX2.iso zip=$build/VRX2.zip
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
failed=0
fail() { echo "FAILED: $*"; failed=1; }

for f in "$dist/MARLO.EXE" "$iso" "$zip"; do
  [[ -f $f ]] || { echo "FAILED: $f is missing (make builds it)"; exit 1; }
done
(cd "$dist" && find . -mindepth 1 | sed 's|^\./||' | sort) >"$scratch/dist.list"

label=$(xorriso -read_fs norock -indev "$iso" -pvd_info 2>/dev/null | sed -n 's/^Volume Id *: *//p')
[[ $label == VRX2 ]] || fail "the ISO's volume label is '$label', expected VRX2"
xorriso -read_fs norock -indev "$iso" -find / 2>/dev/null | sed "s|^'/||; s|'$||" | grep -v "^'\?/\?$" | sort \
  >"$scratch/iso.list"
diff -u "$scratch/dist.list" "$scratch/iso.list" >"$scratch/iso.diff" ||
  fail "the ISO's Joliet names differ from dist/ (- dist, + ISO):"$'\n'"$(cat "$scratch/iso.diff")"
mkdir "$scratch/iso"
xorriso -read_fs norock -osirrox on -indev "$iso" -extract / "$scratch/iso" >/dev/null 2>&1 ||
  fail "the ISO cannot be extracted"
chmod -R u+w "$scratch/iso"
diff -r "$dist" "$scratch/iso" >"$scratch/iso-bytes.diff" ||
  fail "the ISO's files differ from dist/:"$'\n'"$(cat "$scratch/iso-bytes.diff")"

unzip -Z1 "$zip" | sed 's|/$||' | sort >"$scratch/zip.list"
diff -u "$scratch/dist.list" "$scratch/zip.list" >"$scratch/zip.diff" ||
  fail "the zip's names differ from dist/ (- dist, + zip):"$'\n'"$(cat "$scratch/zip.diff")"
unzip -q "$zip" -d "$scratch/zip" || fail "the zip cannot be extracted"
diff -r "$dist" "$scratch/zip" >"$scratch/zip-bytes.diff" ||
  fail "the zip's files differ from dist/:"$'\n'"$(cat "$scratch/zip-bytes.diff")"

[[ $failed -eq 0 ]] && echo "VRX2.iso (volume $label) and VRX2.zip hold the $(wc -l <"$scratch/dist.list") entries of dist/"
exit $failed
