#!/bin/sh
# Runs a command as a screen reader's desktop would: on an X display of its own (xvfb-run), with a
# private session bus (dbus-run-session) on which the accessibility bus is started before the
# command, and Qt's bridge to it switched on. Exits 77 (skipped) with the reason where one of
# these cannot run.
set -u
for tool in dbus-run-session dbus-send xvfb-run; do
  if ! command -v "$tool" >/dev/null 2>&1; then
    echo "SKIP: $tool is not installed" >&2
    exit 77
  fi
done
export QT_QPA_PLATFORM=xcb QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 NO_AT_BRIDGE=0
exec dbus-run-session -- sh -c '
  # Asking the bus for its address starts it and answers once it listens; Qt looks for it only
  # when it starts itself.
  if ! dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus \
      org.a11y.Bus.GetAddress >/dev/null 2>&1; then
    echo "SKIP: the accessibility bus (at-spi2-core) cannot start" >&2
    exit 77
  fi
  exec xvfb-run -a "$@"' sh "$@"
