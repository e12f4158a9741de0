#!/usr/bin/env bash
# Starts the app, lets it draw, closes it one way and expects exit status 0 and nothing
# on standard error. Run inside an X server: exit_test.sh APP CLOSE_WINDOW menu|close
set -u
app=$1 close_window=$2 how=$3
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
export XDG_RUNTIME_DIR=$work
"$app" >"$work/out" 2>"$work/err" &
pid=$!
for _ in $(seq 1 80); do
  window=$(xdotool search --name '^ ZQ GPU$' 2>/dev/null | head -n 1)
  [ -n "$window" ] && break
  sleep 0.25
done
if [ -z "${window:-}" ]; then
  echo "no window; standard error:"
  cat "$work/err"
  kill $pid 2>/dev/null
  exit 1
fi
sleep 3
case $how in
  menu)
    eval "$(xdotool getwindowgeometry --shell "$window")"
    xdotool mousemove $((X + 18)) $((Y + 9)) click 1
    sleep 0.7
    xdotool key Down Return ;;
  close)
    "$close_window" ' ZQ GPU' ;;
esac
for _ in $(seq 1 60); do kill -0 $pid 2>/dev/null || break; sleep 0.25; done
if kill -0 $pid 2>/dev/null; then
  # What a rare failure needs to be understood: is the window still there, what did the app say?
  echo "still running after $how; windows named ' ZQ GPU': $(xdotool search --name '^ ZQ GPU$' 2>/dev/null | tr '\n' ' ')"
  kill -9 $pid
  echo "standard output:"; cat "$work/out"
  echo "standard error:"; cat "$work/err"
  exit 1
fi
wait $pid
status=$?
if [ $status -ne 0 ] || [ -s "$work/err" ]; then
  echo "$how: exit status $status, standard error:"
  cat "$work/err"
  exit 1
fi
echo "$how: exit status 0, standard error empty"
