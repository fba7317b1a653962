# Sourced by the scripts that open windows without a display of their own.
#   cdk_start_xvfb DIR   starts Xvfb on a free display number (Xvfb picks it and
#                        writes it to DIR/display), exports DISPLAY; false if
#                        it does not come up within 10 s
#   cdk_stop_xvfb        ends it and the Wine server of $WINEPREFIX
cdk_xvfb_pid=""

cdk_start_xvfb() {
  local dir=$1
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" </dev/null >/dev/null 2>&1 &
  cdk_xvfb_pid=$!
  for _ in $(seq 100); do [[ -s "$dir/display" ]] && break; sleep 0.1; done
  [[ -s "$dir/display" ]] || return 1
  export DISPLAY=":$(head -n1 "$dir/display")"
}

cdk_stop_xvfb() {
  wineserver -k 2>/dev/null || true
  [[ -n "$cdk_xvfb_pid" ]] && kill "$cdk_xvfb_pid" 2>/dev/null || true
}
