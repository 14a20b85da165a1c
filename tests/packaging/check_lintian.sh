#!/usr/bin/env bash
# Debian's own package checker finds no error in the .deb.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

lintian --fail-on error --display-level ">=warning" "$DEB" || fail "lintian reports errors on $(basename "$DEB")"
echo "lintian reports no error"
