#!/usr/bin/env bash
# The packaged helper, which runs as root, was built hardened: the compiler options
# it recorded, fortified calls, and a read-only relocation table bound at start.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

helper="$PACKAGE_ROOT/usr/libexec/$HELPER_NAME"
options="$(readelf -p .GCC.command.line "$helper" 2>/dev/null)" || fail "the helper recorded no compiler options"
wanted=(-fstack-protector-strong -fstack-clash-protection -D_GLIBCXX_ASSERTIONS -D_FORTIFY_SOURCE=3)
[ "$(dpkg --print-architecture)" != amd64 ] || wanted+=(-fcf-protection)
for option in "${wanted[@]}"; do
    grep -qE -- "(^| )$option( |$)" <<<"$options" || fail "the helper was built without $option: $options"
done
! grep -qE -- "-D_FORTIFY_SOURCE=[012]( |$)" <<<"$options" || fail "the helper was built with a weaker _FORTIFY_SOURCE"

readelf --dyn-syms -W "$helper" | grep -qE ' __[a-z_]+_chk(@|$)' || fail "the helper calls no fortified function"
readelf -l -W "$helper" | grep -q GNU_RELRO || fail "the helper has no RELRO segment"
readelf -d -W "$helper" | grep -qE 'BIND_NOW|FLAGS.*NOW' || fail "the helper binds its symbols lazily"
echo "the helper is built hardened"
