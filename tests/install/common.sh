# Shared by the install and package tests: failure bookkeeping, the tools they need, and the
# files an install must produce.

failures=0

fail() {
  echo "FAIL: $*" >&2
  failures=$((failures + 1))
}

# Ends the test with the number of failed checks as its verdict.
finish() {
  if [ "$failures" -ne 0 ]; then
    echo "$failures check(s) failed" >&2
    exit 1
  fi
  echo "all checks passed"
  exit 0
}

# A missing tool is a failure, not a reason to skip: scripts/install-deps.sh installs them all.
need() {
  local tool
  for tool in "$@"; do
    if ! command -v "$tool" >/dev/null 2>&1; then
      echo "FAIL: $tool is not installed (scripts/install-deps.sh installs it)" >&2
      exit 1
    fi
  done
}

# expect_eq WHAT EXPECTED ACTUAL
expect_eq() {
  if [ "$2" != "$3" ]; then
    fail "$1: expected [$2], got [$3]"
  fi
}

# The files an install puts under its prefix, one a line, sorted; the window's files only when
# the window is built.
expected_files() {
  local gui=$1 app_id=$2
  {
    echo bin/orlinde-cli
    echo share/doc/orlinde/copyright
    echo share/man/man1/orlinde-cli.1.gz
    if [ "$gui" = ON ]; then
      echo bin/orlinde
      echo "share/applications/$app_id.desktop"
      echo "share/metainfo/$app_id.metainfo.xml"
      for size in 16 32 48 64 128 256; do
        echo "share/icons/hicolor/${size}x${size}/apps/orlinde.png"
      done
      echo share/icons/hicolor/scalable/apps/orlinde.svg
    fi
  } | LC_ALL=C sort
}

# The mode an installed file must have: executables for everyone, the rest readable by everyone.
expected_mode() {
  case $1 in
    bin/*) echo 755 ;;
    *) echo 644 ;;
  esac
}
