#!/usr/bin/env bash
# scripts/bootstrap.sh against a package archive that fails in part, without the
# network: stand-ins for apt-get, dpkg, dpkg-query, locale and sudo come first on
# PATH. apt-get fails its update the way a mirror mid-sync does, records every call,
# and fails an install without a target suite the way the resolver does when an
# index is missing. Every row runs in a folder of its own, removed afterwards.
set -uo pipefail
here=$(cd "$(dirname "$0")" && pwd)
bootstrap="$here/../../scripts/bootstrap.sh"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

make_standins() {
  local bin=$1
  mkdir -p "$bin"
  cat >"$bin/apt-get" <<'SH'
#!/usr/bin/env bash
echo "apt-get $*" >>"$STANDIN_DIR/calls"
case " $* " in
  *" update "*)
    n=$(cat "$STANDIN_DIR/updates" 2>/dev/null || echo 0); echo $((n + 1)) >"$STANDIN_DIR/updates"
    if [ "$STANDIN_UPDATE" = always-fails ] || { [ "$STANDIN_UPDATE" = fails-once ] && [ "$n" -eq 0 ]; }; then
      echo "E: Failed to fetch http://archive.invalid/debian-security/dists/rel-security/main/binary-i386/Packages.xz  File has unexpected size (374820 != 376004). Mirror sync in progress?"
      echo "E: Some index files failed to download. They have been ignored, or old ones used instead."
      exit 100
    fi
    exit 0 ;;
  *" install "*)
    case "$STANDIN_INSTALL:$*" in
      plain:*|targeted:*" -t testrelease "*) touch "$STANDIN_DIR/installed"; exit 0 ;;
    esac
    echo "E: Unable to correct problems, you have held broken packages."
    exit 100 ;;
esac
exit 0
SH
  cat >"$bin/dpkg-query" <<'SH'
#!/usr/bin/env bash
# Everything is installed but wine32:i386, until the stand-in apt-get installs it.
for last; do :; done
if [ "$last" = wine32:i386 ] && [ ! -e "$STANDIN_DIR/installed" ]; then exit 1; fi
printf 'install ok installed'
SH
  printf '#!/bin/sh\n[ "$1" = --print-foreign-architectures ] && echo i386\nexit 0\n' >"$bin/dpkg"
  printf '#!/bin/sh\necho C\necho ja_JP.utf8\n' >"$bin/locale"
  printf '#!/bin/sh\nexec "$@"\n' >"$bin/sudo"
  chmod +x "$bin"/*
}

passed=0 failed=0
fail() { echo "bootstrap_test: FAIL [$row]: $*"; ok=0; }

# row | update behaviour | install behaviour | exit code (0 or nonzero) | install calls, in order ("plain", "targeted")
rows=(
  "update fails once then works|fails-once|plain|0|plain"
  "update always fails, the plain install works|always-fails|plain|0|plain"
  "update always fails, only the targeted install works|always-fails|targeted|0|plain targeted"
  "nothing works|always-fails|none|nonzero|plain targeted"
)

for entry in "${rows[@]}"; do
  IFS='|' read -r row update install want_rc want_installs <<<"$entry"
  dir="$work/$passed-$failed"; rm -rf "$dir"; mkdir -p "$dir"
  make_standins "$dir/bin"
  printf 'NAME="Test"\nVERSION_CODENAME=testrelease\n' >"$dir/os-release"
  out=$(PATH="$dir/bin:$PATH" STANDIN_DIR="$dir" STANDIN_UPDATE="$update" STANDIN_INSTALL="$install" \
        BOOTSTRAP_RETRY_PAUSE=0 BOOTSTRAP_UPDATE_TRIES=3 BOOTSTRAP_OS_RELEASE="$dir/os-release" \
        bash "$bootstrap" 2>&1)
  rc=$?
  ok=1
  if [ "$want_rc" = 0 ] && [ "$rc" -ne 0 ]; then fail "exit code $rc, expected 0; output: $out"; fi
  if [ "$want_rc" = nonzero ] && [ "$rc" -eq 0 ]; then fail "exit code 0, expected a failure"; fi

  installs=$(grep ' install ' "$dir/calls" | sed -e 's/.* -t testrelease .*/targeted/' -e '/targeted/!s/.*/plain/' | tr '\n' ' ' | sed 's/ $//')
  [ "$installs" = "$want_installs" ] || fail "install calls '$installs', expected '$want_installs'"
  grep ' install ' "$dir/calls" | grep -q 'wine32:i386' || fail "no install asked for wine32:i386"
  updates=$(grep -c ' update' "$dir/calls")
  case "$update" in
    fails-once) [ "$updates" -eq 2 ] || fail "$updates updates, expected 2" ;;
    always-fails) [ "$updates" -eq 3 ] || fail "$updates updates, expected 3 (the retries)"
      grep -q 'Failed to fetch .*binary-i386/Packages.xz' <<<"$out" || fail "the failing index is not named: $out" ;;
  esac
  if grep -Eqi 'allow-unauthenticated|allow-insecure|AllowInsecure|trusted=yes|AllowDowngradeToInsecure' "$dir/calls"; then
    fail "a call weakens the signature checks: $(cat "$dir/calls")"
  fi
  if [ "$want_rc" = nonzero ]; then
    grep -q 'FAILED' <<<"$out" || fail "no failure message"
    grep -q -- '-t testrelease' <<<"$out" || fail "the message does not say the targeted install was tried: $out"
    grep -q 'what you can do' <<<"$out" || fail "the message does not say what the user can do"
  else
    grep -q 'bootstrap: ready' <<<"$out" || fail "not ready: $out"
    [ -e "$dir/installed" ] || fail "nothing was installed"
  fi
  if [ $ok -eq 1 ]; then passed=$((passed + 1)); echo "bootstrap_test: ok [$row]"; else failed=$((failed + 1)); fi
done

echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
