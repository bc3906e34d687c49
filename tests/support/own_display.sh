#!/bin/sh
# Runs a command on an X display of its own. Xvfb picks a free display
# number itself (-displayfd), so tests that start displays in parallel never
# race for the same number as `xvfb-run -a` can.
set -u
dir=$(mktemp -d) || exit 1
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
for _ in $(seq 100); do
  [ -s "$dir/display" ] && break
  kill -0 "$server" 2>/dev/null || break
  sleep 0.05
done
number=$(head -n 1 "$dir/display")
if [ -z "$number" ]; then
  echo "own_display.sh: Xvfb did not start: $(cat "$dir/log")" >&2
  kill "$server" 2>/dev/null
  rm -rf "$dir"
  exit 1
fi
DISPLAY=":$number" "$@"
status=$?
kill "$server" 2>/dev/null
wait "$server" 2>/dev/null
rm -rf "$dir"
exit $status
