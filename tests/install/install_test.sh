#!/usr/bin/env bash
# Installs the build tree into a temporary DESTDIR under /usr and runs the
# installed programs as a new user would: HOME an empty folder, nothing of
# the build tree or the environment leaking in. Usage: install_test.sh BUILD_DIR
set -uo pipefail
build=${1:?build directory}
dest=$(mktemp -d)
home=$(mktemp -d)
trap 'rm -rf "$dest" "$home"' EXIT
failures=0
fail() { echo "FAIL: $*" >&2; failures=$((failures + 1)); }

if ! DESTDIR="$dest" cmake --install "$build" --prefix /usr >"$home/install.log" 2>&1; then
  cat "$home/install.log" >&2
  fail "cmake --install"
  exit 1
fi
usr="$dest/usr"
for f in bin/rur bin/rur-cli share/rur/msg.dat share/rur/NoPic.Bmp share/rur/examples/%100 \
         share/rur/QVM_ini.Dat share/rur/QVM_wkz.dat share/rur/Npv_QVM.dat \
         share/applications/rur.desktop share/icons/hicolor/scalable/apps/rur.svg \
         share/man/man1/rur.1.gz share/man/man1/rur-cli.1.gz; do
  [ -f "$usr/$f" ] || fail "not installed: $f"
done
if command -v desktop-file-validate >/dev/null; then
  desktop-file-validate "$usr/share/applications/rur.desktop" >&2 || fail "desktop entry not valid"
fi
grep -q '^Exec=rur %f$' "$usr/share/applications/rur.desktop" || fail "desktop entry does not open a file with rur"
zcat "$usr/share/man/man1/rur-cli.1.gz" | grep -q '^\.TH RUR-CLI 1 .*rur [0-9]' || fail "manual page without version"

# The installed rur-cli as a new user: no data directory given.
run() { env -i HOME="$home" PATH=/usr/bin:/bin "$@"; }
version=$(run "$usr/bin/rur-cli" --version) || fail "rur-cli --version"
[[ "$version" =~ ^rur-cli\ [0-9]+\.[0-9]+\.[0-9]+$ ]] || fail "rur-cli --version printed '$version'"

run "$usr/bin/rur-cli" draw "$usr/share/rur/examples/%100" --png "$home/picture.png" >"$home/out" 2>"$home/err"
status=$?
[ "$status" -eq 0 ] || fail "installed rur-cli draw exited $status"
[ -s "$home/err" ] && { fail "installed rur-cli draw said something:"; cat "$home/err" >&2; }
[ -s "$home/picture.png" ] || fail "no picture written"

# It used the per-user data directory, filled from the installation.
user="$home/.local/share/rur"
for f in msg.dat QVM_ini.Dat QVM_wkz.dat Npv_QVM.dat examples/%100; do
  [ -f "$user/$f" ] || fail "per-user data directory lacks $f"
done
[ -e "$usr/bin/ZEPS_00.\$\$\$" ] && fail "the scratch file went into the installation's bin/"
[ -f "$user/ZEPS_00.\$\$\$" ] || fail "the scratch file is not in the per-user data directory"

# A second run keeps what the user changed.
printf 'changed by the user' > "$user/QVM_wkz.dat"
run "$usr/bin/rur-cli" eval 1 >/dev/null 2>&1 || fail "second run"
[ "$(cat "$user/QVM_wkz.dat")" = "changed by the user" ] || fail "seeding overwrote the user's tool table"

# Without a usable HOME (cron, services) the data go to the account's home
# from the password database; a relative HOME names nothing. The account's
# per-user directory is removed afterwards unless it was there before.
account=$(getent passwd "$(id -u)" | cut -d: -f6)
work=$(mktemp -d)
trap 'rm -rf "$dest" "$home" "$work"' EXIT
if [ -n "$account" ] && [ -d "$account" ] && [ -w "$account" ]; then
  accountData="$account/.local/share/rur"
  existed=0
  [ -e "$accountData" ] && existed=1
  for variant in unset empty relative; do
    case $variant in
      unset) homeSetting=() ;;
      empty) homeSetting=(HOME=) ;;
      relative) homeSetting=(HOME=rel/ative) ;;
    esac
    touch "$work/before"
    (cd "$work" && env -i "${homeSetting[@]}" PATH=/usr/bin:/bin "$usr/bin/rur-cli" draw "$usr/share/rur/examples/%100" \
      >"$work/out" 2>"$work/err")
    status=$?
    [ "$status" -eq 0 ] || fail "HOME $variant: rur-cli draw exited $status"
    [ -s "$work/err" ] && { fail "HOME $variant: rur-cli draw said something:"; cat "$work/err" >&2; }
    [ "$accountData/ZEPS_00.\$\$\$" -nt "$work/before" ] || fail "HOME $variant: the run did not use $accountData"
    [ -e "$work/rel" ] && fail "HOME $variant: data went into the relative HOME"
  done
  [ -f "$accountData/QVM_wkz.dat" ] || fail "the account's data directory was not seeded"
  if [ "$existed" -eq 0 ]; then
    rm -rf "$accountData"
    rmdir "$account/.local/share" "$account/.local" 2>/dev/null
  fi
else
  echo "the account has no writable home: HOME fallback not tried" >&2
fi

# A per-user directory that cannot be made is said, naming it; the run
# works on a temporary copy of the shared data, gone afterwards.
mkdir "$work/tmp"
env -i XDG_DATA_HOME=/proc/rur-install-test TMPDIR="$work/tmp" PATH=/usr/bin:/bin \
  "$usr/bin/rur-cli" draw "$usr/share/rur/examples/%100" >"$work/out" 2>"$work/err"
status=$?
[ "$status" -eq 0 ] || fail "unusable per-user directory: rur-cli draw exited $status"
grep -q '^Warnung: Datenverzeichnis /proc/rur-install-test/rur/ kann nicht angelegt werden (' "$work/err" ||
  { fail "unusable per-user directory not said:"; cat "$work/err" >&2; }
[ -z "$(ls -A "$work/tmp")" ] || fail "the temporary data directory was left behind"

# A service account whose home does not exist (nobody: /nonexistent).
if [ "$(id -u)" -eq 0 ] && command -v setpriv >/dev/null; then
  chmod 755 "$dest" "$work"
  chmod 777 "$work/tmp"
  env -i TMPDIR="$work/tmp" PATH=/usr/bin:/bin setpriv --reuid=65534 --regid=65534 --clear-groups \
    "$usr/bin/rur-cli" draw "$usr/share/rur/examples/%100" >"$work/out" 2>"$work/err"
  status=$?
  [ "$status" -eq 0 ] || fail "as nobody: rur-cli draw exited $status"
  nobodyHome=$(getent passwd 65534 | cut -d: -f6)
  grep -q "^Warnung: Datenverzeichnis $nobodyHome/.local/share/rur/ kann nicht angelegt werden (" "$work/err" ||
    { fail "as nobody: the missing home not said:"; cat "$work/err" >&2; }
  [ -z "$(ls -A "$work/tmp")" ] || fail "as nobody: the temporary data directory was left behind"
fi

# Nothing of any run went into the installation's bin/.
[ "$(ls -A "$usr/bin" | tr '\n' ' ')" = "rur rur-cli " ] || fail "written into bin/: $(ls -A "$usr/bin")"

[ "$failures" -eq 0 ] && echo "installed and ran cleanly"
exit "$failures"
