#!/usr/bin/env bash
# Installs the Debian package into a bare Debian 12 (bookworm) and checks that it works there:
# its dependencies resolve, the program finds all its libraries and starts, the sub-commands
# answer, and the desktop entry and its MIME types are declared. Needs root and the network;
# slow the first time (the bare system is made with debootstrap and kept), so it is not part of
# the test suite.
#   scripts/check-package.sh [zembra_X.Y.Z_arch.deb]    (default: build/package/zembra_*.deb)
# ZEMBRA_CHROOT_CACHE names the folder that keeps the bare system (/var/tmp/zembra-bookworm);
# ZEMBRA_DEBIAN_MIRROR and ZEMBRA_DEBIAN_SECURITY override the mirrors taken from apt's sources.
set -euo pipefail

root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
cache="${ZEMBRA_CHROOT_CACHE:-/var/tmp/zembra-bookworm}"
base="$cache/base"
run="$cache/run"
fixture="$root/tests/data/midi/abc2midi-tune.mid"

die() {
  echo "check-package.sh: $*" >&2
  exit 2
}

[[ $(id -u) -eq 0 ]] || die "needs root (debootstrap, chroot, mount)"
if (($#)); then
  deb="$(realpath "$1")"
else
  debs=("$root"/build/package/zembra_*.deb)
  deb="${debs[-1]}"
fi
[[ -f $deb ]] || die "no package $deb: run scripts/package.sh first, or name the .deb"

mkdir -p "$cache"
exec 9>"$cache/lock"
flock -n 9 || die "another check is using $cache"

# The mirror that apt on this machine uses for a suite, from deb822 (.sources) or one-line lists.
apt_mirror() {
  local suite="$1" file
  for file in /etc/apt/sources.list.d/*.sources; do
    [[ -f $file ]] || continue
    awk -v want="$suite" 'BEGIN { RS = "" }
      {
        uri = ""; suites = ""; enabled = 1
        n = split($0, line, "\n")
        for (i = 1; i <= n; ++i) {
          if (line[i] ~ /^URIs:/) { sub(/^URIs:[ \t]*/, "", line[i]); split(line[i], u, /[ \t]+/); uri = u[1] }
          if (line[i] ~ /^Suites:/) { sub(/^Suites:/, "", line[i]); suites = line[i] " " }
          if (line[i] ~ /^Enabled:[ \t]*no/) enabled = 0
        }
        if (enabled && uri != "" && suites ~ ("[ \t]" want "[ \t]")) { print uri; exit }
      }' "$file"
  done
  for file in /etc/apt/sources.list /etc/apt/sources.list.d/*.list; do
    [[ -f $file ]] || continue
    sed -E 's/\[[^]]*\]//' "$file" | awk -v want="$suite" '$1 == "deb" && $3 == want { print $2 }'
  done
}
mirror="${ZEMBRA_DEBIAN_MIRROR:-$(apt_mirror bookworm | sed -n 1p)}"
security="${ZEMBRA_DEBIAN_SECURITY:-$(apt_mirror bookworm-security | sed -n 1p)}"
mirror="${mirror:-http://deb.debian.org/debian}"
security="${security:-http://deb.debian.org/debian-security}"

# Mounts are taken down on every way out, and a folder is removed only when nothing is
# mounted below it (rm never crosses into a mount either).
mounted=()
unmount_all() {
  local i
  for ((i = ${#mounted[@]} - 1; i >= 0; --i)); do
    umount "${mounted[i]}" 2>/dev/null || umount -l "${mounted[i]}" || true
  done
  mounted=()
}
trap unmount_all EXIT
trap 'exit 130' INT TERM HUP
mount_in() {
  local target="$run$2"
  mkdir -p "$target"
  mount "${@:3}" "$1" "$target"
  mounted+=("$target")
}
mounts_below() {
  awk -v dir="$1/" 'index($2 "/", dir) == 1 { print $2 }' /proc/self/mounts
}
remove_tree() {
  local leftover
  while read -r leftover; do
    umount -l "$leftover" || true
  done < <(mounts_below "$1" | sort -r)
  [[ -z $(mounts_below "$1") ]] || die "$1 still has mounts below it; not removing it"
  rm -rf --one-file-system "$1"
}

if [[ ! -f $base/.zembra-ready ]]; then
  command -v debootstrap >/dev/null || {
    echo "Installing debootstrap"
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq debootstrap >/dev/null
  }
  echo "Making a bare bookworm in $base from $mirror (kept for later runs)"
  remove_tree "$base"
  debootstrap --variant=minbase bookworm "$base" "$mirror" >"$cache/debootstrap.log" 2>&1 ||
    { tail -20 "$cache/debootstrap.log" >&2; die "debootstrap failed (log: $cache/debootstrap.log)"; }
  cat >"$base/etc/apt/sources.list" <<EOF
deb $mirror bookworm main
deb $mirror bookworm-updates main
deb $security bookworm-security main
EOF
  printf '#!/bin/sh\nexit 101\n' >"$base/usr/sbin/policy-rc.d"
  chmod +x "$base/usr/sbin/policy-rc.d"
  touch "$base/.zembra-ready"
fi

# Every check starts from a copy of the bare system, so that nothing of an earlier run is left.
remove_tree "$run"
cp -a "$base" "$run"
cp /etc/resolv.conf "$run/etc/resolv.conf"
mkdir -p "$cache/archives/partial" "$run/check"
cp "$deb" "$fixture" "$run/check/"
mount_in proc /proc -t proc
mount_in /dev /dev --bind
mount_in /dev/pts /dev/pts --bind
mount_in "$cache/archives" /var/cache/apt/archives --bind

in_root() {
  chroot "$run" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/check/home LANG=C.UTF-8 \
    DEBIAN_FRONTEND=noninteractive XDG_RUNTIME_DIR=/check/run QT_QPA_PLATFORM=offscreen "$@"
}
mkdir -p "$run/check/home" "$run/check/run"
chmod 700 "$run/check/run"

passed=0
failed=0
skipped=0
report() {
  local verdict="$1"
  shift
  printf '%-5s %s\n' "$verdict" "$*"
  case "$verdict" in
    PASS) passed=$((passed + 1)) ;;
    FAIL) failed=$((failed + 1)) ;;
    SKIP) skipped=$((skipped + 1)) ;;
  esac
}

package_file="/check/$(basename "$deb")"
fixture_file="/check/$(basename "$fixture")"
log="$cache/check.log"
: >"$log"

echo "Checking $(basename "$deb") in bookworm ($run); details in $log"
if in_root apt-get update -qq >>"$log" 2>&1 &&
  in_root apt-get install -y -q "$package_file" >>"$log" 2>&1; then
  report PASS "apt-get install $(basename "$deb"): the package and its dependencies install"
else
  report FAIL "apt-get install $(basename "$deb") (see $log)"
  echo "$passed passed, $failed failed, $skipped skipped"
  exit 1
fi

for file in /usr/bin/zembra /usr/share/zembra/help/zembra.html /usr/share/zembra/help/zembra.ja.html \
  /usr/share/applications/zembra.desktop /usr/share/icons/hicolor/scalable/apps/zembra.svg \
  /usr/share/man/man1/zembra.1.gz /usr/share/sounds/sf2/FluidR3_GM.sf2; do
  if [[ -f $run$file ]]; then
    report PASS "installed: $file"
  else
    report FAIL "missing: $file"
  fi
done

if in_root ldd /usr/bin/zembra >"$cache/ldd.txt" 2>&1 && ! grep -q 'not found' "$cache/ldd.txt"; then
  report PASS "ldd /usr/bin/zembra: all $(wc -l <"$cache/ldd.txt") libraries found"
else
  report FAIL "ldd /usr/bin/zembra: $(grep 'not found' "$cache/ldd.txt" | tr -s ' \t\n' ' ')"
fi

# The window runs until it is closed: still running after 10 s (timeout's 124) is a start.
set +e
in_root timeout 10 zembra >"$cache/start.txt" 2>&1
status=$?
set -e
if ((status == 124)) && ! grep -qiE 'error while loading|could not load|cannot open shared' "$cache/start.txt"; then
  report PASS "QT_QPA_PLATFORM=offscreen zembra: the window started and ran for 10 s"
else
  report FAIL "QT_QPA_PLATFORM=offscreen zembra: exit $status: $(head -c 300 "$cache/start.txt")"
fi

# Sub-commands: a build without them opens the window instead, which timeout ends.
sub_command() {
  local name="$1" expect="$2"
  shift 2
  set +e
  in_root timeout 10 zembra "$@" >"$cache/out.txt" 2>&1
  local status=$?
  set -e
  if ((status == 0)) && grep -qE "$expect" "$cache/out.txt"; then
    report PASS "zembra $*: $(head -n1 "$cache/out.txt")"
  elif ((status == 124)); then
    report SKIP "zembra $*: not in this build (the window opened instead)"
  else
    report FAIL "zembra $*: exit $status: $(head -c 300 "$cache/out.txt")"
  fi
  cat "$cache/out.txt" >>"$log"
}
version="$(dpkg-deb -f "$deb" Version)"
sub_command version "${version//./\\.}" --version
sub_command info "[Tt]racks|tempo" info "$fixture_file"

# What a desktop makes of the entry: the validator, the MIME cache and xdg-mime.
if in_root apt-get install -y -q --no-install-recommends desktop-file-utils xdg-utils >>"$log" 2>&1; then
  if in_root desktop-file-validate /usr/share/applications/zembra.desktop >"$cache/out.txt" 2>&1; then
    report PASS "desktop-file-validate zembra.desktop"
  else
    report FAIL "desktop-file-validate zembra.desktop: $(cat "$cache/out.txt")"
  fi
  for type in audio/midi audio/x-midi; do
    if grep -qE "^$type=(.*;)?zembra\.desktop;" "$run/usr/share/applications/mimeinfo.cache" 2>/dev/null; then
      report PASS "mimeinfo.cache: $type is opened by zembra.desktop"
    else
      report FAIL "mimeinfo.cache: $type does not name zembra.desktop"
    fi
  done
  answer="$(in_root xdg-mime query default audio/midi 2>&1 || true)"
  if [[ $answer == zembra.desktop ]]; then
    report PASS "xdg-mime query default audio/midi: $answer"
  else
    report FAIL "xdg-mime query default audio/midi: '$answer'"
  fi
else
  report FAIL "apt-get install desktop-file-utils xdg-utils (see $log)"
fi

if in_root apt-get purge -y -q zembra >>"$log" 2>&1 && [[ ! -e $run/usr/bin/zembra && ! -e $run/usr/share/zembra ]]; then
  report PASS "apt-get purge zembra: removed without leftovers"
else
  report FAIL "apt-get purge zembra"
fi

unmount_all
echo "$passed passed, $failed failed, $skipped skipped"
((failed == 0)) || exit 1
# The copy is kept only for looking into a failure.
remove_tree "$run"
