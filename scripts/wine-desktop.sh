# Sourced by the scripts that run Windows programs on a private X server.
#   cdk_start_xvfb       starts Xvfb on a free display number (Xvfb picks it),
#                        exports DISPLAY and ends both at exit (a trap on EXIT);
#                        false if it does not come up within 10 s
#   cdk_stop_xvfb        ends it and the Wine server of $CDK_WINEPREFIX
#   cdk_warm_wine        prepares $CDK_WINEPREFIX and keeps a warm server up
cdk_xvfb_pid=""
cdk_xvfb_dir=""

cdk_start_xvfb() {
  cdk_xvfb_dir="$(mktemp -d)"
  trap cdk_stop_xvfb EXIT
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$cdk_xvfb_dir/display" </dev/null >/dev/null 2>&1 &
  cdk_xvfb_pid=$!
  for _ in $(seq 100); do [[ -s "$cdk_xvfb_dir/display" ]] && break; sleep 0.1; done
  [[ -s "$cdk_xvfb_dir/display" ]] || return 1
  export DISPLAY=":$(head -n1 "$cdk_xvfb_dir/display")"
}

cdk_stop_xvfb() {
  WINEPREFIX="$CDK_WINEPREFIX" wineserver -k 2>/dev/null || true
  [[ -n "$cdk_xvfb_pid" ]] && kill "$cdk_xvfb_pid" 2>/dev/null || true
  [[ -n "$cdk_xvfb_dir" ]] && rm -rf "$cdk_xvfb_dir"
  return 0
}

# cdk_warm_wine: a Wine server that stays up between the programs started
# next, warmed by one run, so each starts in a fraction of a second instead
# of seconds (the prefix is $CDK_WINEPREFIX, made ready first).
cdk_warm_wine() {
  scripts/wine-prefix.sh "$CDK_WINEPREFIX" >/dev/null || return 1
  WINEPREFIX="$CDK_WINEPREFIX" wineserver -p 2>/dev/null || true  # one may already be running
  scripts/wine-run.sh cmd /c exit </dev/null >/dev/null 2>&1 || true
}
