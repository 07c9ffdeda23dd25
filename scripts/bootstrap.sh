#!/usr/bin/env bash
# Installs every build and test dependency from Debian's archive. Idempotent:
# when everything is present it only checks and returns within seconds.
#
# The archive is not always consistent (an index of one suite mid-sync, say), so
# an update that fails in part is retried, then the lists that did arrive are
# used; an install the resolver then cannot satisfy is tried once more with the
# release's own suite as the target. Nothing here relaxes the archive's
# signature checks. BOOTSTRAP_UPDATE_TRIES, BOOTSTRAP_RETRY_PAUSE (seconds) and
# BOOTSTRAP_OS_RELEASE (the os-release file) may be set; tests use them.
set -euo pipefail

packages=(
  cmake ninja-build g++ make pkg-config
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  g++-mingw-w64-i686-posix gcc-mingw-w64-i686-posix binutils-mingw-w64-i686 mingw-w64-i686-dev
  g++-mingw-w64-i686-win32 gcc-mingw-w64-i686-win32 python3
  g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix binutils-mingw-w64-x86-64 mingw-w64-x86-64-dev
  wine wine32:i386 wine64 xvfb xauth x11-utils
  locales fonts-ipafont-gothic fonts-wine imagemagick
  clang-14 libclang-rt-14-dev
)

update_tries=${BOOTSTRAP_UPDATE_TRIES:-3}
retry_pause=${BOOTSTRAP_RETRY_PAUSE:-5}
os_release=${BOOTSTRAP_OS_RELEASE:-/etc/os-release}

sudo_if_needed() { if [ "$(id -u)" -eq 0 ]; then "$@"; else sudo "$@"; fi; }

log=$(mktemp)
trap 'rm -f "$log"' EXIT

# apt-get update, retried; a last failure is reported with the archive's own lines
# and the lists it has are used.
update_package_lists() {
  local try
  for ((try = 1; try <= update_tries; try++)); do
    if sudo_if_needed apt-get update -qq >"$log" 2>&1; then
      return 0
    fi
    if ((try < update_tries)); then
      echo "bootstrap: apt-get update failed (try $try of $update_tries); trying again in ${retry_pause}s"
      sleep "$retry_pause"
    fi
  done
  echo "bootstrap: apt-get update failed $update_tries times; going on with the package lists at hand. The archive said:"
  # The failing index's own line ("Failed to fetch ..."), else whatever was printed.
  if grep -E '^(E|W|Err):' "$log" | grep -q .; then
    grep -E '^(E|W|Err):' "$log" | sed 's/^/  /'
  else
    sed 's/^/  /' "$log"
  fi
  update_failed=1
}

install_packages() {
  DEBIAN_FRONTEND=noninteractive sudo_if_needed apt-get install -y -qq --no-install-recommends "$@" >"$log" 2>&1
}

release_codename() {
  local codename=""
  if [ -r "$os_release" ]; then
    codename=$(. "$os_release" && echo "${VERSION_CODENAME:-}")
  fi
  echo "$codename"
}

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "bootstrap: installing ${missing[*]}"
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    sudo_if_needed dpkg --add-architecture i386
  fi
  update_failed=0
  update_package_lists
  tried="apt-get install of the missing packages"
  if ! install_packages "${missing[@]}"; then
    codename=$(release_codename)
    if [ -z "$codename" ]; then
      cat "$log" >&2
      echo "bootstrap: FAILED: $tried did not resolve, and $os_release names no release codename to target." >&2
      exit 1
    fi
    echo "bootstrap: the install did not resolve; trying again with the release's own suite ($codename) as the target"
    tried="$tried; the same with -t $codename"
    if ! install_packages -t "$codename" "${missing[@]}"; then
      tail -n 20 "$log" >&2
      echo "bootstrap: FAILED: tried $tried; neither resolved." >&2
      if [ "$update_failed" -eq 1 ]; then
        echo "bootstrap: apt-get update also failed (see above): the archive may be mid-sync." >&2
      fi
      echo "bootstrap: what you can do: run 'apt-get update' again later and rerun this script, or install the packages named above by hand." >&2
      exit 1
    fi
  fi
fi

# Wine takes its ANSI code page from the locale: ja_JP.UTF-8 gives code page 932.
if ! locale -a 2>/dev/null | grep -qi '^ja_JP\.utf-\?8$'; then
  echo "bootstrap: generating ja_JP.UTF-8"
  sudo_if_needed sed -i 's/^# *ja_JP.UTF-8 UTF-8/ja_JP.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^ja_JP.UTF-8 UTF-8' /etc/locale.gen || echo 'ja_JP.UTF-8 UTF-8' | sudo_if_needed tee -a /etc/locale.gen >/dev/null
  sudo_if_needed locale-gen >/dev/null
fi
echo "bootstrap: ready"
