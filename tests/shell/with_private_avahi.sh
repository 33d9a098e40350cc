#!/bin/sh
# Runs a test program beside a private system bus and Avahi daemon of its own, inside private
# network, mount and PID namespaces: only a loopback interface exists there, so no announcement
# ever reaches a real network, and two runs side by side never see each other. Everything the
# namespace started ends with it.
#
# Where this cannot work (not root, a tool missing, namespaces refused) the program still runs,
# with VEXTAL_AVAHI_SKIP saying why, and its tests skip with that message.
# Usage: with_private_avahi.sh PROGRAM [ARGS...]
set -u

if [ "${1:-}" = "--inside" ]; then
  shift
  set -e
  mount -t tmpfs -o mode=0755 tmpfs /run
  ip link set lo up
  ip link set lo multicast on  # Avahi ignores interfaces without multicast
  mkdir -p /run/dbus /run/avahi-daemon
  cat > /run/avahi-daemon/test.conf <<'CONF'
[server]
host-name=vextal-test
use-ipv4=yes
use-ipv6=yes
allow-interfaces=lo
enable-dbus=yes
ratelimit-interval-usec=1000000
ratelimit-burst=1000
[wide-area]
enable-wide-area=no
[publish]
publish-hinfo=no
publish-workstation=no
CONF
  dbus-daemon --system --fork --nopidfile
  avahi-daemon --no-drop-root --no-chroot --no-rlimits -f /run/avahi-daemon/test.conf -D
  # Ready once the daemon answers on the bus (at most about five seconds).
  tries=0
  until dbus-send --system --print-reply --dest=org.freedesktop.Avahi / \
      org.freedesktop.Avahi.Server.GetState >/dev/null 2>&1; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || { echo "the private Avahi daemon did not start" >&2; exit 1; }
    sleep 0.1
  done
  set +e
  unset DBUS_SYSTEM_BUS_ADDRESS  # the private bus, at its usual place under the private /run
  VEXTAL_AVAHI_NAMESPACE=1 "$@"
  exit $?
fi

reason=""
if [ "$(id -u)" -ne 0 ]; then
  reason="needs root for private network and mount namespaces"
else
  for tool in unshare ip dbus-daemon dbus-send avahi-daemon avahi-browse; do
    command -v "$tool" >/dev/null 2>&1 || { reason="$tool is not installed"; break; }
  done
fi
if [ -z "$reason" ] && ! unshare -n -m -p -f true 2>/dev/null; then
  reason="private namespaces are refused here (unshare -n -m -p failed)"
fi
if [ -n "$reason" ]; then
  VEXTAL_AVAHI_SKIP="$reason" exec "$@"
fi
exec unshare -n -m -p -f --kill-child sh "$0" --inside "$@"
