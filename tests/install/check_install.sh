#!/usr/bin/env bash
# Installs the build into a temporary folder (mode "install": cmake --install; mode "package":
# cpack -G DEB, then the package's own file list and its unpacked files) and checks that the
# program, the guide in both languages, the desktop entry, the icons and the manual page are
# where a desktop and the program itself look for them, and nothing else.
#   check_install.sh install|package --build DIR --help-from-bin REL --man-page NAME
#                    --png-icons 16,22,...|none --doc-files copyright,... --version X.Y.Z
set -uo pipefail

mode="$1"
shift
while (($#)); do
  case "$1" in
    --build) build="$2" ;;
    --help-from-bin) help_from_bin="$2" ;;
    --man-page) man_page="$2" ;;
    --png-icons) png_icons="$2" ;;
    --doc-files) doc_files="$2" ;;
    --version) version="$2" ;;
    *) echo "unknown argument $1" >&2; exit 2 ;;
  esac
  shift 2
done

failures=0
fail() {
  echo "FAIL: $*"
  failures=$((failures + 1))
}

need() {
  for tool in "$@"; do
    command -v "$tool" >/dev/null || { echo "FAIL: $tool is missing (scripts/debian-packages.txt)"; exit 1; }
  done
}
need desktop-file-validate groff gzip cmake
[[ $mode == package ]] && need cpack dpkg-deb dpkg-shlibdeps

work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

# Every file an installation holds, relative to its prefix.
expected_files() {
  echo bin/zembra
  echo share/applications/zembra.desktop
  local file
  for file in ${doc_files//,/ }; do
    echo "share/doc/zembra/$file"
  done
  echo share/icons/hicolor/scalable/apps/zembra.svg
  if [[ $png_icons != none ]]; then
    local size
    for size in ${png_icons//,/ }; do
      echo "share/icons/hicolor/${size}x${size}/apps/zembra.png"
    done
  fi
  echo "share/man/man1/$man_page"
  echo share/zembra/help/assembled-card.png
  echo share/zembra/help/zembra.html
  echo share/zembra/help/zembra.ja.html
}

# The width and height in a PNG's header.
png_size() {
  od -An -tu1 -j16 -N8 "$1" | awk '{ printf "%dx%d", $3 * 256 + $4, $7 * 256 + $8 }'
}

desktop_value() {
  sed -n "s/^$2=//p" "$1"
}

check_tree() {
  local prefix="$1" listing="$2"
  if ! diff -u <(expected_files | sort) <(sort "$listing") >"$work/diff"; then
    fail "the installed files differ from the expected ones (- expected, + installed):"
    cat "$work/diff"
  fi

  [[ -x $prefix/bin/zembra ]] || fail "bin/zembra is not an executable"

  # The installed program finds its guide relative to its own folder.
  local page
  for page in zembra.html zembra.ja.html; do
    [[ -s $prefix/bin/$help_from_bin/$page ]] || fail "no $page in bin/$help_from_bin"
  done
  grep -qs 'lang="ja"' "$prefix/bin/$help_from_bin/zembra.ja.html" || fail "zembra.ja.html is not the Japanese guide"

  local desktop="$prefix/share/applications/zembra.desktop"
  if [[ -f $desktop ]]; then
    desktop-file-validate "$desktop" >"$work/validate" 2>&1 || { fail "desktop-file-validate:"; cat "$work/validate"; }
    local key want got
    while IFS='|' read -r key want; do
      got="$(desktop_value "$desktop" "$key")"
      [[ $got == "$want" ]] || fail "desktop entry: $key is '$got', expected '$want'"
    done <<'TABLE'
Type|Application
Exec|zembra %f
Icon|zembra
Terminal|false
MimeType|audio/midi;audio/x-midi;
TABLE
    for key in 'Name' 'Name\[ja\]' 'GenericName' 'Comment' 'Comment\[ja\]'; do
      [[ -n $(desktop_value "$desktop" "$key") ]] || fail "desktop entry: no $key"
    done
    [[ $(desktop_value "$desktop" Categories) == *"AudioVideo;"*"Audio;"*"Music;"* ]] ||
      fail "desktop entry: Categories lack AudioVideo, Audio or Music"
    local exec
    exec="$(desktop_value "$desktop" Exec)"
    [[ -x $prefix/bin/${exec%% *} ]] || fail "desktop entry runs '${exec%% *}', which is not installed in bin"
  fi

  local svg="$prefix/share/icons/hicolor/scalable/apps/zembra.svg"
  [[ -f $svg ]] && ! grep -q '<svg' "$svg" && fail "zembra.svg is not an SVG picture"
  if [[ $png_icons != none ]]; then
    local size png
    for size in ${png_icons//,/ }; do
      png="$prefix/share/icons/hicolor/${size}x${size}/apps/zembra.png"
      [[ -f $png ]] || continue
      [[ $(png_size "$png") == "${size}x${size}" ]] || fail "$png is $(png_size "$png"), expected ${size}x${size}"
    done
  fi

  local doc="$prefix/share/doc/zembra"
  [[ -f $doc/copyright ]] && ! grep -q '^License: GPL-3+$' "$doc/copyright" && fail "copyright names no GPL-3+ licence"
  if [[ -f $doc/changelog.gz ]]; then
    gzip -dc "$doc/changelog.gz" | head -n1 | grep -q "^zembra ($version) " || fail "changelog.gz does not begin with version $version"
  fi

  local man="$prefix/share/man/man1/$man_page"
  if [[ -f $man ]]; then
    local text="$work/zembra.1"
    if [[ $man_page == *.gz ]]; then
      gzip -t "$man" || fail "$man_page is not a gzip file"
      gzip -dc "$man" >"$text"
    else
      cp "$man" "$text"
    fi
    groff -man -Tutf8 -ww -z "$text" >"$work/groff" 2>&1
    [[ -s $work/groff ]] && { fail "groff warns about the manual page:"; cat "$work/groff"; }
    grep -q "^\.TH ZEMBRA 1 .*$version" "$text" || fail "the manual page's title does not carry version $version"
    local command
    for command in info song card svg dxf wav; do
      grep -q "^\.B zembra $command\$" "$text" || fail "the manual page's synopsis lacks 'zembra $command'"
    done
  fi
}

case "$mode" in
  install)
    prefix="$work/prefix"
    cmake --install "$build" --prefix "$prefix" >"$work/log" 2>&1 || { cat "$work/log"; fail "cmake --install"; exit 1; }
    (cd "$prefix" && find . -type f -printf '%P\n') >"$work/files"
    check_tree "$prefix" "$work/files"
    ;;
  package)
    cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/out" >"$work/log" 2>&1 ||
      { cat "$work/log"; fail "cpack"; exit 1; }
    debs=("$work"/out/zembra_*.deb)
    [[ ${#debs[@]} == 1 && -f ${debs[0]} ]] || { cat "$work/log"; fail "cpack made no single zembra_*.deb"; exit 1; }
    deb="${debs[0]}"
    [[ $(basename "$deb") == zembra_${version}_*.deb ]] || fail "package name $(basename "$deb") lacks version $version"
    # The package's own list: everything under /usr, regular files only.
    dpkg-deb -c "$deb" | awk '$1 ~ /^-/ { print $6 }' | sed -n 's|^\./usr/||p' >"$work/files"
    while IFS='|' read -r field pattern; do
      value="$(dpkg-deb -f "$deb" "$field")"
      [[ $value =~ $pattern ]] || fail "control field $field is '$value', expected to match '$pattern'"
    done <<TABLE
Package|^zembra$
Version|^${version//./\\.}$
Section|^sound$
Architecture|^[a-z0-9]+$
Maintainer|^.+ <.+@.+>$
Depends|libqt6widgets6.*
Depends|libfluidsynth3
Depends|librtmidi
Recommends|fluid-soundfont-gm
Recommends|qt6-translations-l10n
TABLE
    dpkg-deb -x "$deb" "$work/root" || fail "dpkg-deb -x"
    check_tree "$work/root/usr" "$work/files"
    ;;
  *)
    echo "usage: $0 install|package ..." >&2
    exit 2
    ;;
esac

if ((failures)); then
  echo "$failures check(s) failed"
  exit 1
fi
echo "all checks passed ($mode)"
