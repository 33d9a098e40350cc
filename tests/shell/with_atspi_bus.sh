#!/bin/sh
# Runs a command as a screen reader's desktop would: on an X display of its own (xvfb-run) with a
# window manager where openbox is installed (it gives the new window the keyboard's focus), a
# private session bus (dbus-run-session) on which the accessibility bus is started before the
# command, and Qt's bridge to it switched on. The buses start on the display, so the registry
# can type keys there. Exits 77 (skipped) with the reason where one of these cannot run.
set -u
case "${1-}" in
  --on-display)
    shift
    if command -v openbox >/dev/null 2>&1; then
      openbox >/dev/null 2>&1 &
      # The window manager is ready once it names its check window on the root window.
      tries=0
      while ! xprop -root _NET_SUPPORTING_WM_CHECK 2>/dev/null | grep -q 'window id' &&
          [ "$tries" -lt 200 ]; do
        tries=$((tries + 1))
        sleep 0.05
      done
    fi
    exec dbus-run-session -- sh "$0" --on-bus "$@"
    ;;
  --on-bus)
    shift
    # Asking the bus for its address starts it and answers once it listens; Qt looks for it only
    # when it starts itself.
    if ! dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
        org.a11y.Bus.GetAddress >/dev/null 2>&1; then
      echo "SKIP: the accessibility bus (at-spi2-core) cannot start" >&2
      exit 77
    fi
    exec "$@"
    ;;
esac
for tool in dbus-run-session dbus-send xvfb-run; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed" >&2
    exit 77
  fi
done
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
exec xvfb-run -a sh "$0" --on-display "$@"
