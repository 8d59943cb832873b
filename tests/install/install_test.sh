#!/usr/bin/env bash
# Installs the build into a temporary prefix, as `cmake --install <build> --prefix <dir>` does
# for a person installing from source, and checks what lands there: the file list and modes,
# the installed command-line tool, the desktop entry, the AppStream data, the manual page
# against the tool's own usage text, and the icons.
#
# Usage: install_test.sh BUILD_DIR VERSION APP_ID GUI(ON|OFF)
set -uo pipefail
export LC_ALL=C.UTF-8
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

build=$1 version=$2 app_id=$3 gui=$4
need cmake file groff gzip
if [ "$gui" = ON ]; then need desktop-file-validate appstreamcli rsvg-convert; fi

work=$(mktemp -d "${TMPDIR:-/tmp}/orlinde-install-test.XXXXXX")
trap 'rm -rf "$work"' EXIT
prefix=$work/prefix

# A group-writable umask, as on many desktops: the installed folders must still be 755.
umask 0002
if ! cmake --install "$build" --prefix "$prefix" >"$work/install.log" 2>&1; then
  cat "$work/install.log" >&2
  fail "cmake --install failed"
  finish
fi

# --- The file list and the modes ------------------------------------------------------------
expected=$(expected_files "$gui" "$app_id")
actual=$(cd "$prefix" && find . ! -type d -printf '%P\n' | LC_ALL=C sort)
if [ "$expected" != "$actual" ]; then
  fail "installed files differ from the expected list:"
  diff <(echo "$expected") <(echo "$actual") >&2
fi
while read -r path; do
  [ -f "$prefix/$path" ] || continue
  expect_eq "mode of $path" "$(expected_mode "$path")" "$(stat -c %a "$prefix/$path")"
done <<<"$expected"
while read -r dir; do
  expect_eq "mode of folder $dir" 755 "$(stat -c %a "$dir")"
done < <(find "$prefix" -mindepth 1 -type d)

# --- The installed command-line tool --------------------------------------------------------
cli=$prefix/bin/orlinde-cli
expect_eq "orlinde-cli 1+1" "1+1=2" "$("$cli" "1+1" 2>&1)"
expect_eq "orlinde-cli --version" "orlinde-cli $version" "$("$cli" --version 2>&1)"
help=$("$cli" --help)

# --- The manual page ------------------------------------------------------------------------
man_gz=$prefix/share/man/man1/orlinde-cli.1.gz
if gzip -t "$man_gz" 2>/dev/null; then
  gzip -dc "$man_gz" >"$work/orlinde-cli.1"
  warnings=$(groff -man -ww -z -Tutf8 "$work/orlinde-cli.1" 2>&1)
  expect_eq "groff warnings on the manual page" "" "$warnings"
  page=$(groff -man -Tutf8 -P-cbou "$work/orlinde-cli.1" 2>/dev/null)
  if command -v man >/dev/null 2>&1; then
    if ! MANPAGER=cat MANWIDTH=80 man -l "$man_gz" >/dev/null 2>"$work/man.err"; then
      fail "man -l cannot show the installed page: $(cat "$work/man.err")"
    fi
  fi

  # The text of one section of the rendered page, without its heading.
  section() { awk -v name="$1" '/^[A-Z]/ { on = ($0 == name); next } on' <<<"$page"; }
  squeeze() { tr -s ' \n' ' ' | sed 's/^ //; s/ $//'; }

  expect_eq "NAME" "orlinde-cli - calculate the arithmetic in each line of a text" \
    "$(section NAME | squeeze)"
  expect_eq "SYNOPSIS against the usage line" "$(head -n 1 <<<"$help" | sed 's/^Usage: //')" \
    "$(section SYNOPSIS | squeeze)"
  # Every option of the usage text has an entry in OPTIONS, and OPTIONS lists no other.
  help_options=$(grep -oE '^  --[a-z]*' <<<"$help" | sed 's/^ *//' | LC_ALL=C sort)
  page_options=$(section OPTIONS | grep -oE '^       --[a-z]*' | sed 's/^ *//' | LC_ALL=C sort)
  expect_eq "options in OPTIONS against the usage text" "$help_options" "$page_options"
  [ -n "$help_options" ] || fail "no options found in the usage text"

  # Each example runs as shown: a "$ " line is a command, the lines after it its output.
  examples=$(section EXAMPLES | sed 's/^       //')
  [ -n "$examples" ] || fail "the manual page has no examples"
  command_line="" shown=""
  run_example() {
    [ -n "$command_line" ] || return 0
    local got
    got=$(PATH="$prefix/bin:$PATH" bash -c "$command_line" 2>&1)
    expect_eq "example \`$command_line\`" "$shown" "$got"
  }
  while IFS= read -r line; do
    if [[ $line == '$ '* ]]; then
      run_example
      command_line=${line#'$ '} shown=""
    elif [ -n "$line" ]; then
      shown+=${shown:+$'\n'}$line
    fi
  done <<<"$examples"
  run_example
else
  fail "$man_gz is not a gzip file"
fi

if [ "$gui" != ON ]; then finish; fi

# --- The desktop entry ----------------------------------------------------------------------
desktop=$prefix/share/applications/$app_id.desktop
verdict=$(desktop-file-validate "$desktop" 2>&1)
status=$?
expect_eq "desktop-file-validate exit status" 0 "$status"
expect_eq "desktop-file-validate messages" "" "$verdict"
# The value of a key of the [Desktop Entry] group.
key() { sed -n "/^\[Desktop Entry\]/,/^\[/{s/^$(sed 's/[][]/\\&/g' <<<"$1")=//p}" "$desktop"; }
expect_eq "Type" Application "$(key Type)"
expect_eq "Name" Orlinde "$(key Name)"
expect_eq "Exec" orlinde "$(key Exec)"
expect_eq "Icon" orlinde "$(key Icon)"
expect_eq "Terminal" false "$(key Terminal)"
expect_eq "StartupWMClass, the window's class" orlinde "$(key StartupWMClass)"
for k in GenericName Comment; do
  grep -qE '^[A-Za-z][ -~]*[a-z]$' <<<"$(key $k)" || fail "$k is not an English text: [$(key $k)]"
  grep -qP '\p{Han}' <<<"$(key "$k[zh_CN]")" || fail "$k[zh_CN] is not Chinese: [$(key "$k[zh_CN]")]"
done
for category in Utility Calculator; do
  grep -qE "(^|;)$category;" <<<"$(key Categories)" || fail "Categories lacks $category"
done
[ -x "$prefix/bin/$(key Exec)" ] || fail "Exec names no installed program"
[ -f "$prefix/share/icons/hicolor/48x48/apps/$(key Icon).png" ] || fail "Icon names no installed icon"

# --- The AppStream data ---------------------------------------------------------------------
metainfo=$prefix/share/metainfo/$app_id.metainfo.xml
if ! appstreamcli validate --no-net "$metainfo" >"$work/as.log" 2>&1; then
  fail "appstreamcli validate --no-net: $(cat "$work/as.log")"
fi
# The tree check also pairs the component with its desktop entry and icons.
if ! appstreamcli validate-tree --no-net "$prefix" >"$work/astree.log" 2>&1; then
  fail "appstreamcli validate-tree --no-net: $(cat "$work/astree.log")"
fi
element() { sed -n "s:.*<$1>\(.*\)</$1>.*:\1:p" "$metainfo" | head -n 1; }
expect_eq "component type" desktop-application \
  "$(sed -n 's/.*<component type="\([^"]*\)".*/\1/p' "$metainfo")"
expect_eq "component id, the desktop entry's name" "$app_id" "$(element id)"
expect_eq "launchable" "$app_id.desktop" "$(sed -n 's:.*<launchable type="desktop-id">\(.*\)</launchable>.*:\1:p' "$metainfo")"
case $(element metadata_license) in
  FSFAP | CC0-1.0) ;;
  *) fail "metadata_license is [$(element metadata_license)], not FSFAP or CC0-1.0" ;;
esac
# The project licence is the one the installed licence file states.
expect_eq "project_license against the licence file" \
  "$(head -n 1 "$prefix/share/doc/orlinde/copyright" | sed 's/ License$//')" "$(element project_license)"
expect_eq "newest release, the program's version" "$version" \
  "$(sed -n 's/.*<release version="\([^"]*\)".*/\1/p' "$metainfo" | head -n 1)"
[ -n "$(element summary)" ] || fail "the component has no summary"
grep -q '<description>' "$metainfo" || fail "the component has no description"
for f in "$metainfo" "$desktop"; do
  if grep -nE '://|www\.' "$f" >&2; then fail "$(basename "$f") names a web address"; fi
done

# --- The icons ------------------------------------------------------------------------------
for size in 16 32 48 64 128 256; do
  png=$prefix/share/icons/hicolor/${size}x${size}/apps/orlinde.png
  description=$(file -b "$png")
  [[ $description == "PNG image data, $size x $size,"* ]] ||
    fail "${size}x${size} icon: $description"
done
svg=$prefix/share/icons/hicolor/scalable/apps/orlinde.svg
[[ $(file -b "$svg") == SVG* ]] || fail "scalable icon: $(file -b "$svg")"
if rsvg-convert -w 48 -h 48 "$svg" -o "$work/scalable.png" 2>"$work/rsvg.err"; then
  [[ $(file -b "$work/scalable.png") == "PNG image data, 48 x 48,"* ]] ||
    fail "the scalable icon renders as $(file -b "$work/scalable.png")"
else
  fail "the scalable icon does not render: $(cat "$work/rsvg.err")"
fi

finish
