# Sourced by package.sh, which checks a built package as an administrator would meet it
# (root), and by the autopkgtest debian/tests/installed-package, which runs
# check_installed_package on the package installed already. Whatever it makes it removes
# again: two temporary users, the package (purged) and the group veltrane when it was not
# there before. A /var/lib/veltrane that something else made (a copy run by hand as root) is
# set aside meanwhile, so that the check sees a new machine.

readonly member=veltrane-check-member outsider=veltrane-check-outsider
readonly store=/var/lib/veltrane/registry
readonly value="$store/HKEY_LOCAL_MACHINE/SOFTWARE/Orvindel/Veltrane Server/=ConnectionString"
readonly set_aside=/var/lib/veltrane.set-aside-by-package-check
# What a member's symbolic link at veltrane.db points at: root must never make it.
readonly link_target=/etc/veltrane-check-made-by-root

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

# Fails unless the text (second and later arguments) holds the first argument.
expect_in() {
  local wanted=$1
  shift
  [[ "$*" == *"$wanted"* ]] || fail "expected \"$wanted\" in: $*"
}

remove_users() {
  local user
  for user in "$member" "$outsider"; do
    getent passwd "$user" >/dev/null && userdel "$user"
  done
  rm -rf "$scripts" "$link_target"
}

# Runs on every way out of package.sh's check, so each step goes on whatever the one before
# it did.
package_check_cleanup() {
  set +e
  remove_users
  dpkg-query -W -f='${db:Status-Status}' veltrane-applet 2>/dev/null | grep -qv not-installed &&
    apt-get purge -y -qq veltrane-applet >/dev/null
  [ "$group_was_there" = no ] && getent group veltrane >/dev/null && groupdel veltrane
  [ -e "$set_aside" ] && rm -rf /var/lib/veltrane && mv "$set_aside" /var/lib/veltrane
}

# The UI scripts that the users replay, and a library that marks who loaded it: its
# constructor makes loaded-as-UID in the folder markers/.
write_check_files() {
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
  cat >"$scripts/outsider.txt" <<EOF
expect-message "Error!!" "You are not in the group veltrane (or your session started before you were added): /var/lib/veltrane cannot be read; an administrator adds you with \\"sudo adduser $outsider veltrane\\", then log in again."
answer ok
EOF
  mkdir -p "$scripts/markers"
  cat >"$scripts/marker.c" <<EOF
#include <fcntl.h>
#include <stdio.h>
#include <unistd.h>
__attribute__((constructor)) static void mark(void) {
  char path[256];
  snprintf(path, sizeof path, "$scripts/markers/loaded-as-%d", (int)geteuid());
  close(open(path, O_WRONLY | O_CREAT, 0644));
}
EOF
  cc -shared -fPIC -o "$scripts/marker.so" "$scripts/marker.c" || fail "cannot build the marker library"
  chmod -R a+rX "$scripts"
  chmod 1777 "$scripts/markers"
}

# An administrator's earlier copy left /var/lib/veltrane as root made it by hand: the
# installation keeps it, says what is wrong and how to repair it.
install_package_over_a_wrong_folder() {
  export DEBIAN_FRONTEND=noninteractive
  install -d -m 755 /var/lib/veltrane
  local output
  output=$(apt-get install -y -qq "./$1" 2>&1) ||
    output=$(apt-get update -qq && apt-get install -y -qq "./$1" 2>&1) || fail "apt-get install ./$1: $output"
  output=${output//$'\r'/}
  ok "installed $1"
  expect_in "/var/lib/veltrane is root:root 755, not root:veltrane 3770" "$output"
  local repair
  repair=$(grep -o 'Repair it with: .*' <<<"$output" | head -1)
  eval "${repair#Repair it with: }"
  expect_mode /var/lib/veltrane "root:veltrane 3770"
  ok "the installation reports a /var/lib/veltrane made by hand, and its command repairs it"
}

check_installed_programs() {
  [ "$(/usr/bin/veltrane-control --list)" = $'Veltrane Server\tConfiguration Applet for Veltrane Server' ] ||
    fail "veltrane-control --list"
  /usr/bin/veltrane-admin --help | grep -q '^Usage: veltrane-admin' || fail "veltrane-admin --help"
  local page lint
  for page in veltrane-control veltrane-admin; do
    [ -s "/usr/share/man/man1/$page.1.gz" ] || fail "no manual page for $page"
    lint=$(mandoc -T lint -W warning "/usr/share/man/man1/$page.1.gz" 2>&1) || fail "mandoc -T lint: $lint"
  done
  # veltrane-admin's page is made from its --help; veltrane-control's is written by hand.
  local option
  for option in $(/usr/bin/veltrane-control --help 2>&1 | grep -o -- '--[a-z-]*' | sort -u); do
    zcat /usr/share/man/man1/veltrane-control.1.gz | grep -qF -- "${option//-/\\-}" ||
      fail "the manual page of veltrane-control does not name $option"
  done
  appstreamcli validate --no-net /usr/share/metainfo/example.veltrane.server.metainfo.xml >/dev/null ||
    fail "appstreamcli validate"
  ok "veltrane-control --list, veltrane-admin --help, both manual pages (mandoc -T lint) and the AppStream metainfo"
  getent group veltrane >/dev/null || fail "no group veltrane"
  expect_mode /var/lib/veltrane "root:veltrane 3770"
  expect_mode "$store" "root:veltrane 2770"
  ok "the group veltrane, /var/lib/veltrane root:veltrane 3770 and $store root:veltrane 2770"
}

# A member's symbolic link at veltrane.db does not make root's init create its target.
check_init_follows_no_link() {
  as "$member" ln -s "$link_target" /var/lib/veltrane/veltrane.db
  local output
  if output=$(/usr/bin/veltrane-admin init 2>&1); then fail "init went on over a symbolic link: $output"; fi
  [ ! -e "$link_target" ] || fail "root's init made $link_target through a member's symbolic link"
  expect_in "is a symbolic link, which init does not follow" "$output"
  rm /var/lib/veltrane/veltrane.db
  ok "root's init refuses a member's symbolic link at veltrane.db and makes nothing through it"
}

# A member writes a driver named by path into the store: root's check and unlock must not
# load it, and the member's own commands still work as before.
check_root_loads_no_member_driver() {
  as "$member" sh -c 'printf "1\nDriver=%s;Database=/var/lib/veltrane/veltrane.db;\0" "$1" >"$2.new" && mv "$2.new" "$2"' \
    sh "$scripts/marker.so" "$value"
  local output
  output=$(/usr/bin/veltrane-admin check 2>&1) && fail "root's check used a member's connection string: $output"
  expect_in "connection string: NOT USED" "$output"
  output=$(printf 'brelk\n' | /usr/bin/veltrane-admin unlock 2>&1) && fail "root's unlock went on: $output"
  output=$(VELTRANE_ROOT_TRUSTS_GROUP=1 /usr/bin/veltrane-admin check 2>&1) &&
    fail "root's check connected with a driver named by path: $output"
  expect_in "names a file for the driver manager or the driver" "$output"
  [ ! -e "$scripts/markers/loaded-as-0" ] || fail "root loaded the driver a member named"
  ok "root's check and unlock load no driver that a member named by path, even when told to trust the group"
  /usr/bin/veltrane-admin init >/dev/null || fail "veltrane-admin init again as root"
}

# A member who is not the owner uses what root made and the other way round; anybody else
# can read nothing, and is told why.
check_group_access() {
  local cause output
  cause=$(as "$member" /usr/bin/veltrane-control --ui-script "$scripts/first-run.txt" 2>&1) ||
    fail "the first run before veltrane-admin init: $cause"
  [[ "$cause" == "veltrane: unable to connect to the database: "* ]] || fail "no cause line on standard error: $cause"
  ok "first run before init: \"Unable to Connect to Database.\" and on standard error: $cause"

  check_init_follows_no_link
  /usr/bin/veltrane-admin init >/dev/null || fail "veltrane-admin init"
  expect_mode /var/lib/veltrane/veltrane.db "root:veltrane 660"
  expect_mode "$value" "root:veltrane 640"
  if as "$member" mv /var/lib/veltrane/veltrane.db /var/lib/veltrane/moved.db 2>/dev/null; then
    fail "a member replaced root's veltrane.db"
  fi
  ok "veltrane-admin init made veltrane.db root:veltrane 660 and the connection string root:veltrane 640"

  as "$member" /usr/bin/veltrane-admin check >/dev/null || fail "veltrane-admin check as a member of the group"
  as "$member" /usr/bin/veltrane-control --ui-script "$scripts/log-in.txt" || fail "a member's log-in"
  /usr/bin/veltrane-admin check >/dev/null || fail "root's check after a member's log-in"
  ok "a member of the group checks and logs in, and root's check still uses the connection string root stored"
  check_root_loads_no_member_driver

  if as "$outsider" cat "$value" >/dev/null 2>&1; then fail "a user outside the group reads the connection string"; fi
  output=$(as "$outsider" /usr/bin/veltrane-admin check 2>&1) && fail "check outside the group: $output"
  expect_in "connection string: UNREADABLE: you are not in the group veltrane (or your session started before you were added)" "$output"
  output=$(printf 'brelk\n' | as "$outsider" /usr/bin/veltrane-admin computer list 2>&1) &&
    fail "computer list outside the group: $output"
  expect_in "veltrane-admin: you are not in the group veltrane (or your session started before you were added)" "$output"
  as "$outsider" /usr/bin/veltrane-control --ui-script "$scripts/outsider.txt" 2>/dev/null ||
    fail "the window outside the group"
  ok "a user outside the group cannot read the connection string, and check, computer list and the window say why"

  chmod 2770 /var/lib/veltrane
  output=$(/usr/bin/veltrane-admin init 2>&1) || fail "init over a folder without the sticky bit: $output"
  chmod 3770 /var/lib/veltrane
  expect_in "/var/lib/veltrane is root:veltrane 2770, not root:veltrane 3770" "$output"
  ok "init reports a /var/lib/veltrane with another mode, with the command that repairs it"
}

# The steps on an installed package (the autopkgtest runs these alone).
check_installed_package() {
  unset VELTRANE_REGISTRY_ROOT ODBCSYSINI ODBCINI VELTRANE_ROOT_TRUSTS_GROUP VELTRANE_ROOT_LOADS_DRIVER_PATHS
  scripts=$(mktemp -d)
  chmod 755 "$scripts"
  write_check_files
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin --groups veltrane "$member"
  useradd --system --no-create-home --home-dir /nonexistent --shell /usr/sbin/nologin "$outsider"
  check_installed_programs
  check_group_access
}

check_remove_and_purge() {
  apt-get remove -y -qq veltrane-applet >/dev/null
  [ -e /var/lib/veltrane/veltrane.db ] || fail "a removal took the database"
  expect_mode "$store" "root:veltrane 2770"
  ok "a removal keeps the configuration"
  local output
  output=$(apt-get purge -y -qq veltrane-applet 2>&1)
  [ ! -e /var/lib/veltrane ] || fail "a purge left /var/lib/veltrane"
  expect_in "veltrane-applet: removed /var/lib/veltrane" "$output"
  ok "a purge removes /var/lib/veltrane and says so"
}

check_package() {
  local deb=$1
  group_was_there=no
  if getent group veltrane >/dev/null; then group_was_there=yes; fi
  scripts=
  trap package_check_cleanup EXIT
  if [ -e /var/lib/veltrane ]; then
    mv /var/lib/veltrane "$set_aside"
    echo "package check: /var/lib/veltrane is set aside until the end"
  fi

  lintian --fail-on error,warning --display-info "$deb" || fail "lintian"
  ok "lintian"
  install_package_over_a_wrong_folder "$deb"
  check_installed_package
  remove_users
  check_remove_and_purge
  echo "package check: passed"
}
