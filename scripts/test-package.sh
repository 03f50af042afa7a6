#!/usr/bin/env bash
# Installs the package that scripts/package.sh built into a fresh minimal
# Debian 12 root (debootstrap) and tries it there as a researcher would:
# tandrel-batch --version, a README example as an ordinary user, two users
# on the one system-wide installation (each one's reports in their own log,
# named by each run), and tandrel --help without a display. It also checks
# the package with lintian, the menu entry with desktop-file-validate, the
# metainfo with appstreamcli and the manual pages with man. Runs as root.
# Usage: scripts/test-package.sh [package.deb]   (default: build/package/tandrel_*.deb)
set -euo pipefail
cd "$(dirname "$0")/.."
deb="${1:-$(ls build/package/tandrel_*.deb | head -n1)}"
work="$PWD/build/pkgtest"
root="$work/root"
mirror="${DEBIAN_MIRROR:-http://deb.debian.org/debian}"
started=$SECONDS
failures=0

say() { echo "test-package: $*" >&2; }
fail() {
  say "FAILED: $*"
  failures=$((failures + 1))
}
in_root() { chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LC_ALL=C.UTF-8 "$@"; }
as_user() { in_root su - "$1" -c "$2"; }

unmount() {
  for m in "$root/proc" "$root/dev"; do mountpoint -q "$m" && umount -l "$m"; done
  return 0
}
trap unmount EXIT

# --- the package itself, on this machine --------------------------------
say "package $deb, $(du -k "$deb" | cut -f1) KiB"
say "Depends: $(dpkg-deb --field "$deb" Depends)"
lintian_out="$work/lintian.txt"
mkdir -p "$work"
# Errors and warnings fail; the tags in packaging/lintian-expected are
# explained there. Informational tags are shown, not counted.
if lintian --fail-on error,warning --display-info --tag-display-limit 0 \
    --suppress-tags-from-file packaging/lintian-expected "$deb" >"$lintian_out" 2>&1; then
  say "lintian: no error or warning; $(grep -c '^I: ' "$lintian_out" || true) informational tags"
  cat "$lintian_out" >&2
else
  cat "$lintian_out" >&2
  fail "lintian"
fi
extracted="$work/extracted"
rm -rf "$extracted"
dpkg-deb -x "$deb" "$extracted"
desktop-file-validate "$extracted"/usr/share/applications/*.desktop || fail "desktop-file-validate"
appstreamcli validate --no-net "$extracted"/usr/share/metainfo/*.xml >&2 || fail "appstreamcli validate"
for page in "$extracted"/usr/share/man/man1/*.1.gz; do
  warnings="$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -l "$page" 2>&1 >/dev/null)"
  [ -z "$warnings" ] || fail "man -l $(basename "$page"): $warnings"
done

# --- a fresh Debian 12 root ----------------------------------------------
unmount
# TANDREL_PKGTEST_REUSE=1 takes the root of an earlier run again (faster
# while working on the package); CI always makes a fresh one.
if [ "${TANDREL_PKGTEST_REUSE:-0}" = 1 ] && [ -x "$root/usr/bin/apt-get" ]; then
  say "reusing $root"
  chroot "$root" sh -c 'dpkg --purge tandrel; for u in ann ben; do userdel -r $u; done' \
    >/dev/null 2>&1 || true
else
  rm -rf "$root"
  say "debootstrap bookworm into $root"
  debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log" >&2; exit 1; }
fi
mount -t proc proc "$root/proc"
mount --bind /dev "$root/dev"
cp /etc/resolv.conf "$root/etc/resolv.conf"
cp "$deb" "$root/tmp/"
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
  "/tmp/$(basename "$deb")" >"$work/apt.log" 2>&1 || { tail -n 20 "$work/apt.log" >&2; exit 1; }
say "installed: $(in_root dpkg-query -W -f='${Package} ${Version} ${Installed-Size} KiB' tandrel)"

version="$(in_root tandrel-batch --version 2>&1)" || fail "tandrel-batch --version"
[[ "$version" == "tandrel-batch (Tandrel) "* ]] || fail "tandrel-batch --version said: $version"
in_root test -e /usr/share/applications/org.tandrel.Tandrel.desktop || fail "no menu entry"
in_root test -e /usr/share/man/man1/tandrel.1.gz || fail "no manual page tandrel(1)"

# --- ordinary users on the system-wide installation ----------------------
for user in ann ben; do in_root useradd --create-home --shell /bin/sh "$user"; done
# The README's first example, as ann.
readme_example="tandrel-batch --unit group --years 1990:2000 --vars group_pop_share --out groups.csv"
err="$(as_user ann "cd && $readme_example" 2>&1 >/dev/null)" || fail "README example: $err"
[[ "$err" == *"tandrel-batch: wrote 2824 cases to /home/ann/groups.csv"* ]] ||
  fail "README example said: $err"
[[ "$err" == *"the error log is /home/ann/.local/state/tandrel/tandrel-errors.log"* ]] ||
  fail "the first run did not say where ann's own files are: $err"
# A run whose output cannot be written leaves reports in the error log.
for user in ann ben; do
  log="/home/$user/.local/state/tandrel/tandrel-errors.log"
  err="$(as_user "$user" "tandrel-batch --years 1990:1991 --vars group_pop_share >/dev/full" 2>&1)" &&
    fail "$user: a run to a full disk succeeded"
  [[ "$err" == *"reports written to the error log $log"* ]] || fail "$user's run named no own log: $err"
  in_root test -s "$log" || fail "$user's log $log is empty"
  owner="$(in_root stat -c %U "$log" 2>/dev/null || true)"
  [ "$owner" = "$user" ] || fail "$log belongs to '$owner'"
done
err="$(as_user ann "$readme_example" 2>&1 >/dev/null)"
[[ "$err" != *"cannot write to its installation folder"* ]] || fail "ann was told twice: $err"
in_root test ! -e /usr/lib/tandrel/tandrel-errors.log || fail "a log in the installation folder"

# --- the desktop program, last: without a display it must still answer --help
help="$(as_user ann "tandrel --help" 2>&1)" || fail "tandrel --help without a display: $help"
[[ "$help" == *"--program-dir"* ]] || fail "tandrel --help does not name --program-dir: $help"

unmount
say "took $((SECONDS - started)) s"
if [ "$failures" -gt 0 ]; then
  say "$failures checks failed"
  exit 1
fi
say "every check passed"
