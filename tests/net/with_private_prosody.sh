#!/bin/sh
# Runs a test program beside a private XMPP server (Prosody) of its own, inside private network,
# mount and PID namespaces: only a loopback interface exists there, the names of the test domains
# resolve to it through a private /etc/hosts, and everything the namespace started ends with it.
#
# The server has three virtual hosts: alpha.test and beta.test with certificates of a throw-away
# CA, and gamma.test whose certificate names another host; alpha.test offers a chat service
# (lobby.alpha.test). The accounts alice@alpha.test, bob@beta.test, eve@alpha.test and
# carol@gamma.test share one password. The program learns where things are from
# VEXTAL_PROSODY_DIR (the CA file ca.crt, a CA that signed nothing in other-ca.crt) and
# VEXTAL_PROSODY_PASSWORD.
#
# Where this cannot work (not root, a tool missing, namespaces refused) the program still runs,
# with VEXTAL_PROSODY_SKIP saying why, and its tests skip with that message.
# Usage: with_private_prosody.sh PROGRAM [ARGS...]
set -u

if [ "${1:-}" = "--inside" ]; then
  shift
  set -e
  mount -t tmpfs -o mode=0755 tmpfs /run
  ip link set lo up
  dir=/run/vextal-prosody
  mkdir -p "$dir/certs" "$dir/data"
  # Names of the test domains for every resolver in here; no name server is reachable.
  printf '127.0.0.1 localhost alpha.test beta.test gamma.test lobby.alpha.test\n' > "$dir/hosts"
  printf 'nameserver 127.0.0.1\n' > "$dir/resolv.conf"
  mount --bind "$dir/hosts" /etc/hosts
  mount --bind "$dir/resolv.conf" /etc/resolv.conf

  # A CA of our own, certificates for the hosts, and gamma.test served under another name.
  cd "$dir/certs"
  ssl() { openssl "$@" >/dev/null 2>&1; }
  ssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 2 \
    -subj "/CN=Vextal test CA" -keyout ca.key -out ca.crt
  ssl req -x509 -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes -days 2 \
    -subj "/CN=Unrelated CA" -keyout other-ca.key -out other-ca.crt
  for host in alpha.test beta.test lobby.alpha.test wrong.test; do
    ssl req -x509 -CA ca.crt -CAkey ca.key -newkey ec -pkeyopt ec_paramgen_curve:P-256 -nodes \
      -days 2 -subj "/CN=$host" -addext "subjectAltName=DNS:$host" \
      -keyout "$host.key" -out "$host.crt"
  done
  cp ca.crt other-ca.crt "$dir/"
  chown -R prosody:prosody "$dir"
  chmod 0600 "$dir"/certs/*.key

  cat > "$dir/prosody.cfg.lua" <<CONF
pidfile = "$dir/prosody.pid"
data_path = "$dir/data"
log = { { levels = { min = "warn" }, to = "file", filename = "$dir/prosody.log" } }
interfaces = { "127.0.0.1" }
c2s_ports = { 5222 }
modules_enabled = { "roster", "saslauth", "tls", "disco", "ping", "presence", "iq", "message" }
modules_disabled = { "s2s", "offline" }
c2s_require_encryption = true
authentication = "internal_hashed"
certificates = "$dir/certs"
VirtualHost "alpha.test"
  disco_items = { { "lobby.alpha.test", "Game lobby" } }
VirtualHost "beta.test"
VirtualHost "gamma.test"
  ssl = { certificate = "$dir/certs/wrong.test.crt", key = "$dir/certs/wrong.test.key" }
Component "lobby.alpha.test" "muc"
  restrict_room_creation = false
CONF
  chown prosody:prosody "$dir/prosody.cfg.lua"
  export VEXTAL_PROSODY_PASSWORD=vextal-test-secret
  runuser -u prosody -- prosody --config "$dir/prosody.cfg.lua" -F >/dev/null 2>&1 &
  server=$!
  for account in alice@alpha.test eve@alpha.test bob@beta.test carol@gamma.test; do
    runuser -u prosody -- prosodyctl --config "$dir/prosody.cfg.lua" register \
      "${account%@*}" "${account#*@}" "$VEXTAL_PROSODY_PASSWORD" >/dev/null 2>&1 &
  done
  for job in $(jobs -p); do [ "$job" = "$server" ] || wait "$job"; done
  # Ready once the client port answers (at most about five seconds).
  tries=0
  until bash -c ': </dev/tcp/127.0.0.1/5222' 2>/dev/null; do
    tries=$((tries + 1))
    [ "$tries" -lt 50 ] || { echo "the private Prosody did not start" >&2; cat "$dir/prosody.log" >&2; exit 1; }
    sleep 0.1
  done
  cd /
  set +e
  VEXTAL_PROSODY_DIR="$dir" "$@"
  exit $?
fi

reason=""
if [ "$(id -u)" -ne 0 ]; then
  reason="needs root for private network and mount namespaces"
else
  for tool in unshare ip openssl prosody prosodyctl runuser bash; do
    command -v "$tool" >/dev/null 2>&1 || { reason="$tool is not installed"; break; }
  done
  if [ -z "$reason" ] && ! id prosody >/dev/null 2>&1; then
    reason="the user prosody does not exist"
  fi
fi
if [ -z "$reason" ] && ! unshare -n -m -p -f true 2>/dev/null; then
  reason="private namespaces are refused here (unshare -n -m -p failed)"
fi
if [ -n "$reason" ]; then
  VEXTAL_PROSODY_SKIP="$reason" exec "$@"
fi
exec unshare -n -m -p -f --kill-child sh "$0" --inside "$@"
