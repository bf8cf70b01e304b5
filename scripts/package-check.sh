# Sourced by package.sh: checks a built package as an administrator would meet it (root).
# Whatever it makes it removes again: the package (purged), two temporary users, and the
# group veltrane when it was not there before. A /var/lib/veltrane that something else made
# (a copy run by hand as root) is set aside meanwhile, so that the check sees a new machine.

readonly member=veltrane-check-member outsider=veltrane-check-outsider
readonly store=/var/lib/veltrane/registry
readonly set_aside=/var/lib/veltrane.set-aside-by-package-check

refuse_to_check_over_an_installed_copy() {
  if [ "$(id -u)" -ne 0 ]; then
    echo "package: --check installs the package, which needs root" >&2
    exit 1
  fi
  local state
  state=$(dpkg-query -W -f='${db:Status-Status}' veltrane-applet 2>/dev/null || true)
  if [ -n "$state" ] && [ "$state" != not-installed ]; then
    echo "package: veltrane-applet is installed here already, and --check would purge it" >&2
    exit 1
  fi
  if [ -e "$set_aside" ]; then
    echo "package: an earlier check left $set_aside; move it back to /var/lib/veltrane first" >&2
    exit 1
  fi
}

fail() {
  echo "package check: FAILED: $*" >&2
  exit 1
}

ok() { echo "package check: ok: $*"; }

# Runs a command as the user named first, from a folder every user may enter.
as() {
  local user=$1
  shift
  (cd / && runuser -u "$user" -- "$@")
}

expect_mode() {
  local actual
  actual=$(stat -c '%U:%G %a' "$1")
  [ "$actual" = "$2" ] || fail "$1 is $actual, not $2"
}

# Runs on every way out, so each step goes on whatever the one before it did.
package_check_cleanup() {
  set +e
  local user
  for user in "$member" "$outsider"; do
    getent passwd "$user" >/dev/null && userdel "$user"
  done
  dpkg-query -W -f='${db:Status-Status}' veltrane-applet 2>/dev/null | grep -qv not-installed &&
    apt-get purge -y -qq veltrane-applet >/dev/null
  [ "$group_was_there" = no ] && getent group veltrane >/dev/null && groupdel veltrane
  [ -e "$set_aside" ] && rm -rf /var/lib/veltrane && mv "$set_aside" /var/lib/veltrane
  rm -rf "$scripts"
}

# The UI scripts a member of the group replays: the first run before the configuration is
# set up, and a log-in after it.
write_ui_scripts() {
  cat >"$scripts/first-run.txt" <<'EOF'
expect-dialog IDD_LOG_IN
set IDC_PASSWORD "brelk"
click IDOK
expect-message "Error!!" "Unable to Connect to Database.\n\n[unixODBC][Driver Manager]Data source name not found and no default driver specified"
answer ok
expect-dialog IDD_LOG_IN
click IDCANCEL
EOF
  cat >"$scripts/log-in.txt" <<'EOF'
expect-dialog IDD_LOG_IN
set IDC_PASSWORD "brelk"
click IDOK
expect-sheet "Veltrane Properties"
close-sheet ok
EOF
  chmod -R a+rX "$scripts"
}

install_package() {
  export DEBIAN_FRONTEND=noninteractive
  apt-get install -y -qq "./$1" >/dev/null ||
    { apt-get update -qq && apt-get install -y -qq "./$1" >/dev/null; } || fail "apt-get install ./$1"
  ok "installed $1"
}

check_installed_programs() {
  [ "$(/usr/bin/veltrane-control --list)" = $'Veltrane Server\tConfiguration Applet for Veltrane Server' ] ||
    fail "veltrane-control --list"
  /usr/bin/veltrane-admin --help | grep -q '^Usage: veltrane-admin' || fail "veltrane-admin --help"
  local page
  for page in veltrane-control veltrane-admin; do
    [ -s "/usr/share/man/man1/$page.1.gz" ] || fail "no manual page for $page"
  done
  # veltrane-admin's page is made from its --help; veltrane-control's is written by hand.
  local option
  for option in $(/usr/bin/veltrane-control --help 2>&1 | grep -o -- '--[a-z-]*' | sort -u); do
    zcat /usr/share/man/man1/veltrane-control.1.gz | grep -qF -- "${option//-/\\-}" ||
      fail "the manual page of veltrane-control does not name $option"
  done
  ok "veltrane-control --list, veltrane-admin --help and both manual pages"
  getent group veltrane >/dev/null || fail "no group veltrane"
  expect_mode /var/lib/veltrane "root:veltrane 2770"
  expect_mode "$store" "root:veltrane 2770"
  ok "the group veltrane, and $store root:veltrane 2770"
}

# A member who is not the owner uses what root made and the other way round; anybody else
# can read nothing.
check_group_access() {
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin --groups veltrane "$member"
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$outsider"
  local cause
  cause=$(as "$member" /usr/bin/veltrane-control --ui-script "$scripts/first-run.txt" 2>&1) ||
    fail "the first run before veltrane-admin init: $cause"
  [[ "$cause" == "veltrane: unable to connect to the database: "* ]] || fail "no cause line on standard error: $cause"
  ok "first run before init: \"Unable to Connect to Database.\" and on standard error: $cause"

  /usr/bin/veltrane-admin init >/dev/null || fail "veltrane-admin init"
  local value="$store/HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server/=ConnectionString"
  expect_mode /var/lib/veltrane/veltrane.db "root:veltrane 660"
  expect_mode "$value" "root:veltrane 660"
  ok "veltrane-admin init made veltrane.db and the connection string root:veltrane 660"

  as "$member" /usr/bin/veltrane-admin check >/dev/null || fail "veltrane-admin check as a member of the group"
  as "$member" /usr/bin/veltrane-control --ui-script "$scripts/log-in.txt" || fail "a member's log-in"
  expect_mode "$value" "$member:veltrane 660"
  ok "a member of the group checks, logs in and stores the connection string"
  if as "$outsider" cat "$value" >/dev/null 2>&1; then fail "a user outside the group reads the connection string"; fi
  ok "a user outside the group cannot read the connection string"
}

check_remove_and_purge() {
  apt-get remove -y -qq veltrane-applet >/dev/null
  [ -e /var/lib/veltrane/veltrane.db ] || fail "a removal took the database"
  expect_mode "$store" "root:veltrane 2770"
  ok "a removal keeps the configuration"
  apt-get purge -y -qq veltrane-applet >/dev/null
  [ ! -e /var/lib/veltrane ] || fail "a purge left /var/lib/veltrane"
  ok "a purge removes /var/lib/veltrane"
}

check_package() {
  local deb=$1
  # The installed defaults are checked, whatever the caller's environment names.
  unset VELTRANE_REGISTRY_ROOT ODBCSYSINI ODBCINI
  group_was_there=no
  if getent group veltrane >/dev/null; then group_was_there=yes; fi
  scripts=$(mktemp -d)
  trap package_check_cleanup EXIT
  if [ -e /var/lib/veltrane ]; then
    mv /var/lib/veltrane "$set_aside"
    echo "package check: /var/lib/veltrane is set aside until the end"
  fi

  lintian --fail-on error,warning --display-info "$deb" || fail "lintian"
  ok "lintian"
  write_ui_scripts
  install_package "$deb"
  check_installed_programs
  check_group_access
  check_remove_and_purge
  echo "package check: passed"
}
