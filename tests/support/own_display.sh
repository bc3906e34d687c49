#!/bin/sh
# Runs a command on an X display of its own. Xvfb picks a free display
# number itself (-displayfd), so tests that start displays in parallel never
# race for the same number as `xvfb-run -a` can. The number is read from a
# pipe, which waits for the server however slowly it starts. -noreset: the
# server stays up between clients, so a client that connects while the last
# one leaves is not closed by a server reset.
set -u
dir=$(mktemp -d) || exit 1
mkfifo "$dir/display"
Xvfb -displayfd 3 -noreset -screen 0 1024x768x24 -nolisten tcp 3>"$dir/display" 2>"$dir/log" &
server=$!
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
