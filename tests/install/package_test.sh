#!/usr/bin/env bash
# Builds the Debian package with CPack into a temporary folder and inspects it with dpkg-deb:
# its name, its control fields (the dependencies computed from the binaries above all), its
# file list, owners and modes, and that the binaries it ships are stripped and run. Nothing is
# installed on the machine.
#
# Usage: package_test.sh BUILD_DIR VERSION APP_ID GUI(ON|OFF)
set -uo pipefail
export LC_ALL=C.UTF-8
here=$(cd "$(dirname "$0")" && pwd)
source "$here/common.sh"

build=$1 version=$2 app_id=$3 gui=$4
need cpack dpkg dpkg-deb dpkg-shlibdeps file

work=$(mktemp -d "${TMPDIR:-/tmp}/orlinde-package-test.XXXXXX")
trap 'rm -rf "$work"' EXIT

umask 0002
if ! cpack -G DEB --config "$build/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log" >&2
  fail "cpack -G DEB failed"
  finish
fi

arch=$(dpkg --print-architecture)
deb=$work/out/orlinde_${version}_${arch}.deb
built=$(cd "$work/out" && ls -- *.deb 2>/dev/null)
expect_eq "packages built" "$(basename "$deb")" "$built"
[ -f "$deb" ] || finish

# --- Control fields -------------------------------------------------------------------------
field() { dpkg-deb -f "$deb" "$1"; }
expect_eq Package orlinde "$(field Package)"
expect_eq Version "$version" "$(field Version)"
expect_eq Architecture "$arch" "$(field Architecture)"
maintainer=$(field Maintainer)
pattern='^[^<]*[^< ] <[^@ ]+@[^> ]+>$'
[[ $maintainer =~ $pattern ]] ||
  fail "Maintainer is not «name <address>»: [$maintainer]"
[ -n "$(field Description)" ] || fail "the package has no description"

# Depends as computed by dpkg-shlibdeps: the libraries the binaries link, each versioned.
depends=$(field Depends)
needed=(libc6 'libstdc\+\+6' 'libduktape[0-9]+')
if [ "$gui" = ON ]; then needed+=(libqt6core6 libqt6gui6 libqt6widgets6); fi
for package in "${needed[@]}"; do
  pattern="(^|, )$package \\(>= [^)]+\\)(,|$)"
  [[ $depends =~ $pattern ]] ||
    fail "Depends lacks a versioned $package: [$depends]"
done
[[ $depends == *'${'* ]] && fail "Depends holds an unexpanded variable: [$depends]"

# --- Contents -------------------------------------------------------------------------------
# dpkg-deb -c lists "mode owner/group size date time ./path".
listing=$(dpkg-deb -c "$deb")
files=$(awk '$1 !~ /^d/ { sub(/^\.\/usr\//, "", $6); print $6 }' <<<"$listing" | LC_ALL=C sort)
expected=$(expected_files "$gui" "$app_id")
if [ "$expected" != "$files" ]; then
  fail "the package's files differ from the expected list (under /usr):"
  diff <(echo "$expected") <(echo "$files") >&2
fi
while read -r mode owner _ _ _ path; do
  expect_eq "owner of $path" root/root "$owner"
  case $mode in
    d*) expect_eq "mode of folder $path" drwxr-xr-x "$mode" ;;
    *)
      relative=${path#./usr/}
      want=-rw-r--r--
      [ "$(expected_mode "$relative")" = 755 ] && want=-rwxr-xr-x
      expect_eq "mode of $path" "$want" "$mode"
      ;;
  esac
done <<<"$listing"
# Everything lives under /usr, nothing in /usr/local or elsewhere.
if awk '{ print $6 }' <<<"$listing" | grep -vE '^\./(usr/.*)?$' >&2; then
  fail "the package has files outside /usr"
fi

dpkg-deb -x "$deb" "$work/root"
for program in $(grep '^bin/' <<<"$expected"); do
  description=$(file -b "$work/root/usr/$program")
  [[ $description == ELF*", stripped"* ]] || fail "$program is not a stripped program: $description"
done
expect_eq "the packaged orlinde-cli 1+1" "1+1=2" "$("$work/root/usr/bin/orlinde-cli" "1+1" 2>&1)"

finish
