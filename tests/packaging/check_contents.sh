#!/usr/bin/env bash
# The package holds exactly the install layout, owned by root, with the usual modes,
# and the control data that apt needs. Usage: check_contents.sh [with-helper]
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

expected="$(mktemp)" actual="$(mktemp)"
trap 'rm -f "$expected" "$actual"' EXIT
{
    echo "./usr/bin/$PROGRAM_NAME"
    [ "${1:-}" != with-helper ] || echo "./usr/libexec/$HELPER_NAME"
    echo "./usr/share/applications/$APP_ID.desktop"
    echo "./usr/share/doc/$PROGRAM_NAME/changelog.gz"
    echo "./usr/share/doc/$PROGRAM_NAME/copyright"
    for size in 16 24 32 48 64 128 256; do
        echo "./usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png"
    done
    echo "./usr/share/icons/hicolor/scalable/apps/$APP_ID.svg"
    echo "./usr/share/man/man1/$PROGRAM_NAME.1.gz"
    echo "./usr/share/metainfo/$APP_ID.metainfo.xml"
    echo "./usr/share/polkit-1/actions/$APP_ID.policy"
} | sort >"$expected"

# Columns of dpkg-deb -c: mode, owner/group, size, date, time, path.
dpkg-deb -c "$DEB" | awk '$1 !~ /^d/ { print $6 }' | sort >"$actual"
diff -u "$expected" "$actual" || fail "the package's files differ from the install layout (- expected, + found)"

dpkg-deb -c "$DEB" | awk '$2 != "root/root" { print; bad = 1 } END { exit bad }' \
    || fail "entries above are not owned by root"
dpkg-deb -c "$DEB" | awk '
    $1 ~ /^d/ && $1 != "drwxr-xr-x" { print; bad = 1 }
    $1 ~ /^-/ && $6 ~ /\/(bin|libexec)\// && $1 != "-rwxr-xr-x" { print; bad = 1 }
    $1 ~ /^-/ && $6 !~ /\/(bin|libexec)\// && $1 != "-rw-r--r--" { print; bad = 1 }
    END { exit bad }' || fail "entries above have modes that others could abuse or that do not run"

for size in 16 24 32 48 64 128 256; do
    file "$PACKAGE_ROOT/usr/share/icons/hicolor/${size}x${size}/apps/$APP_ID.png" | grep -q "PNG image data, $size x $size," \
        || fail "the ${size}x${size} icon is not a PNG of that size"
done

field() { dpkg-deb -f "$DEB" "$1"; }
[ "$(field Package)" = "$PROGRAM_NAME" ] || fail "package name is $(field Package)"
[ "$(field Version)" = 3.0.0 ] || fail "version is $(field Version)"
depends="$(field Depends)"
depended_on="$(tr -d ' ' <<<"$depends" | tr ',' '\n' | sed 's/(.*//')"
for needed in pkexec fonts-ipafont-gothic; do
    grep -qxF "$needed" <<<"$depended_on" || fail "Depends lacks $needed: $depends"
done

# The framework opens the X libraries with dlopen, out of dpkg-shlibdeps' sight: each
# library that the program names, linked or opened, comes from a package it depends on.
multiarch="$(dpkg-architecture -qDEB_HOST_MULTIARCH)"
for library in $(strings "$PACKAGE_ROOT/usr/bin/$PROGRAM_NAME" | grep -E '^lib[^/ ]*\.so(\.[0-9]+)*$' | sort -u); do
    provider="$(dpkg -S "*/$multiarch/$library" 2>/dev/null | head -1 | cut -d: -f1)"
    [ -n "$provider" ] || fail "no installed package provides $library"
    grep -qxF "$provider" <<<"$depended_on" || fail "the program loads $library from $provider, which Depends lacks"
done
file "$PACKAGE_ROOT/usr/bin/$PROGRAM_NAME" | grep -q ", stripped" || fail "the program is not stripped"
echo "the package holds the install layout"
