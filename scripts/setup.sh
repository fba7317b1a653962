#!/usr/bin/env bash
# Installs what building and testing need on a Debian 12 machine, and nothing
# that is already there. Safe to run again: a second run only checks.
#   scripts/setup.sh            native tool chain only
#   scripts/setup.sh --windows  also mingw-w64, Wine, Xvfb, CJK fonts, zh_CN locale
set -euo pipefail

want_windows=0
[[ "${1:-}" == "--windows" ]] && want_windows=1

native=(cmake ninja-build g++ googletest libgtest-dev libbenchmark-dev
        clang libclang-rt-14-dev)
windows=(g++-mingw-w64-x86-64-posix g++-mingw-w64-i686-posix mingw-w64-tools
         wine wine64 xvfb imagemagick fonts-arphic-uming fonts-arphic-ukai locales)

missing=()
is_installed() { dpkg-query -W -f='${Status}' "$1" 2>/dev/null | grep -q 'install ok installed'; }
for p in "${native[@]}"; do is_installed "$p" || missing+=("$p"); done
if (( want_windows )); then
  for p in "${windows[@]}"; do is_installed "$p" || missing+=("$p"); done
  # 32-bit Windows programs need the i386 Wine loader.
  if ! dpkg --print-foreign-architectures | grep -qx i386; then
    dpkg --add-architecture i386
    need_update=1
  fi
  is_installed wine32:i386 || missing+=(wine32:i386)
fi

as_root() { if [[ $(id -u) -eq 0 ]]; then "$@"; else sudo "$@"; fi; }

if (( ${#missing[@]} )) || [[ -n "${need_update:-}" ]]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  as_root apt-get update -qq
  as_root apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

if (( want_windows )) && ! locale -a 2>/dev/null | grep -qi '^zh_CN\.utf-\?8$'; then
  echo "setup: generating the zh_CN.UTF-8 locale"
  as_root sed -i 's/^# *zh_CN.UTF-8 UTF-8/zh_CN.UTF-8 UTF-8/' /etc/locale.gen
  grep -q '^zh_CN.UTF-8 UTF-8' /etc/locale.gen || echo 'zh_CN.UTF-8 UTF-8' | as_root tee -a /etc/locale.gen >/dev/null
  as_root locale-gen >/dev/null
fi
