#!/usr/bin/env bash
# The desktop entry, the AppStream data and the polkit action, as the package ships them.
source "$(dirname "${BASH_SOURCE[0]}")/lib.sh"

share="$PACKAGE_ROOT/usr/share"
desktop_file_validate_output="$(desktop-file-validate "$share/applications/$APP_ID.desktop" 2>&1)" \
    || fail "desktop-file-validate: $desktop_file_validate_output"
[ -z "$desktop_file_validate_output" ] || fail "desktop-file-validate warns: $desktop_file_validate_output"

metainfo="$share/metainfo/$APP_ID.metainfo.xml"
appstreamcli validate --no-net "$metainfo" || fail "appstreamcli validate rejects the metainfo"
# What a newer appstreamcli (Debian 13's) also requires, looked at directly since
# Debian 12's does not check it: a homepage, and the developer as an element
# with an id and a name in place of the deprecated <developer_name>.
metainfo_value() { xmllint --xpath "$1" "$metainfo"; }
[[ "$(metainfo_value 'string(/component/url[@type="homepage"])')" == https://* ]] \
    || fail "the metainfo names no homepage"
[ -n "$(metainfo_value 'string(/component/developer/@id)')" ] && [ -n "$(metainfo_value 'string(/component/developer/name)')" ] \
    || fail "the metainfo names no developer with an id and a name"
[ "$(metainfo_value 'count(//developer_name)')" = 0 ] || fail "the metainfo uses the deprecated <developer_name>"

# The menu starts the program by its installed name and shows the installed icon.
grep -qx "Exec=$PROGRAM_NAME" "$share/applications/$APP_ID.desktop" || fail "Exec does not name $PROGRAM_NAME"
grep -qx "Icon=$APP_ID" "$share/applications/$APP_ID.desktop" || fail "Icon does not name $APP_ID"

policy="$share/polkit-1/actions/$APP_ID.policy"
grep -q "<annotate key=\"org.freedesktop.policykit.exec.path\">/usr/libexec/$HELPER_NAME</annotate>" "$policy" \
    || fail "the polkit action does not name /usr/libexec/$HELPER_NAME"
grep -q "<message>Authentication is required to remove the PELK USB MIDI Driver</message>" "$policy" \
    || fail "the polkit action does not say what is asked"
! grep -q "auth_admin_keep\|auth_self\|>yes<" "$policy" || fail "the polkit action keeps or skips the rights"
[ "$(grep -c "<allow_[a-z]*>auth_admin</allow_[a-z]*>" "$policy")" -eq 3 ] \
    || fail "the polkit action does not ask for an administrator in every session kind"
xmllint --noout "$policy" || fail "the polkit action is not well-formed XML"
echo "desktop entry, AppStream data and polkit action pass"
