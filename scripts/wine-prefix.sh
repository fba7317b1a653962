#!/usr/bin/env bash
# Creates and prepares the 64-bit Wine prefix that the Windows tests run in
# (32-bit programs run in it too when wine32 is installed). Prints the prefix.
#   scripts/wine-prefix.sh [prefix]   default: $CDK_WINEPREFIX or ~/.cache/cdk-wine/win64
# A prepared prefix carries a stamp naming its settings; a second run with the
# same settings only checks the stamp.
#
# Settings the tests rely on:
#   - unmanaged X11 windows (without a window manager a managed window takes
#     seconds to close);
#   - the Chinese font names the window asks for, mapped to the AR PL fonts;
#   - a "browser" that only appends the address it is given to browser.log in
#     the prefix, so tests can count the web pages the tool opens.
set -euo pipefail

prefix="${1:-${CDK_WINEPREFIX:-$HOME/.cache/cdk-wine/win64}}"
stamp_version=1
stamp="$prefix/.cdk-prefix-ready"

if [[ -f "$stamp" && "$(cat "$stamp")" == "$stamp_version" ]]; then
  echo "$prefix"
  exit 0
fi

export WINEPREFIX="$prefix" WINEARCH=win64 WINEDEBUG=-all LC_ALL=zh_CN.UTF-8
# No Mono or Gecko install prompts: the tool needs neither.
export WINEDLLOVERRIDES="mscoree,mshtml="

if [[ ! -x /usr/lib/wine/wine ]]; then
  echo "wine-prefix: wine32 is missing; 32-bit programs will not run" >&2
fi

mkdir -p "$prefix"
if [[ ! -f "$prefix/system.reg" ]]; then
  echo "wine-prefix: creating $prefix" >&2
  wineboot -i >/dev/null 2>&1
fi

browser="$prefix/cdk-browser.sh"
cat >"$browser" <<SCRIPT
#!/bin/sh
# Stands in for a web browser: records each address it is asked to open.
printf '%s\n' "\$1" >>"$prefix/browser.log"
SCRIPT
chmod +x "$browser"

# One regedit run for all settings; a version-5 .reg file is UTF-16LE.
reg_file="$prefix/cdk-settings.reg"
{
  printf '\xef\xbb\xbf'
  cat <<REG
Windows Registry Editor Version 5.00

[HKEY_CURRENT_USER\\Software\\Wine\\X11 Driver]
"Managed"="N"

[HKEY_CURRENT_USER\\Software\\Wine\\Fonts\\Replacements]
"宋体"="AR PL UMing CN"
"SimSun"="AR PL UMing CN"
"楷体_GB2312"="AR PL UKai CN"

[HKEY_CURRENT_USER\\Software\\Wine\\WineBrowser]
"Browsers"="$browser"
REG
} | sed 's/$/\r/' | iconv -f UTF-8 -t UTF-16LE >"$reg_file"
wine regedit /S "Z:${reg_file//\//\\}" >/dev/null 2>&1

# Registry changes reach the prefix's files only when the server exits.
wineserver -w
echo "$stamp_version" >"$stamp"
echo "$prefix"
