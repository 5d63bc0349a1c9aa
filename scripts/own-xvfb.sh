# Sourced by the scripts that need a screen of their own. start_own_xvfb DIR starts Xvfb at
# 1280x800 and sets xvfb (its process id) and DISPLAY. Xvfb picks a free display number
# itself (-displayfd), so that other programs starting under Xvfb meanwhile cannot take it
# over. Without -noreset it would reset whenever its last client ends, and refuse the next
# one that connects meanwhile.
start_own_xvfb() {
  Xvfb -displayfd 3 -noreset -screen 0 1280x800x24 -nolisten tcp 3>"$1/display" 2>/dev/null &
  xvfb=$!
  for _ in $(seq 100); do
    [ -s "$1/display" ] && break
    sleep 0.1
  done
  [ -s "$1/display" ] || { echo "Xvfb did not start" >&2; return 1; }
  export DISPLAY=":$(cat "$1/display")"
}
