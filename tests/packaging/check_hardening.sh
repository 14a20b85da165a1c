#!/usr/bin/env bash
# The packaged helper, which runs as root, was built hardened: the code-generation
# options it recorded, the library's assertions compiled in, fortified calls, and
# a read-only relocation table bound at start. (The helper's source refuses to
# build without _GLIBCXX_ASSERTIONS and, optimised, _FORTIFY_SOURCE=3: the
# compiler keeps no record of macros.)
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

helper="$PACKAGE_ROOT/usr/libexec/$HELPER_NAME"
options="$(readelf -p .GCC.command.line "$helper" 2>/dev/null)" || fail "the helper recorded no compiler options"
wanted=(-fstack-protector-strong -fstack-clash-protection)
[ "$(dpkg --print-architecture)" != amd64 ] || wanted+=("-fcf-protection(=full)?")
for option in "${wanted[@]}"; do
    grep -qE -- "(^| )$option( |$)" <<<"$options" || fail "the helper was built without $option: $options"
done

# Read whole first: grep -q stops reading early, which pipefail would count as a failure.
text="$(strings "$helper")" symbols="$(readelf --dyn-syms -W "$helper")"
segments="$(readelf -l -W "$helper")" dynamic="$(readelf -d -W "$helper")"
grep -qF '__n < this->size()' <<<"$text" || fail "the helper was built without the library's assertions"
grep -qE ' __[a-z_]+_chk(@|$)' <<<"$symbols" || fail "the helper calls no fortified function"
grep -q GNU_RELRO <<<"$segments" || fail "the helper has no RELRO segment"
grep -qE 'BIND_NOW|FLAGS.*NOW' <<<"$dynamic" || fail "the helper binds its symbols lazily"
echo "the helper is built hardened"
