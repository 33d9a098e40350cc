#pragma once

#include <QtGlobal>

namespace vextal {

// How a connected socket notices a peer that vanished without a word (a cable pulled, a machine
// that lost power, a link cut in between). The peer's protocol is untouched: its system answers
// the probes. A silent but living peer (a person thinking for ten minutes) is never cut off.
struct KeepAliveSettings {
  bool Enabled = false;
  int IdleSeconds = 0;      // quiet time before the first probe
  int IntervalSeconds = 0;  // between unanswered probes
  int Probes = 0;           // unanswered probes before the link counts as dead
  int UserTimeoutMs = 0;    // bytes sent and not acknowledged for this long end the link too
  friend bool operator==(const KeepAliveSettings&, const KeepAliveSettings&) = default;
};

// What the program asks for: a dead link ends as a network error within about a minute, quiet
// or not.
inline constexpr KeepAliveSettings kKeepAlive{true, 20, 5, 6, 50'000};

// Turns keep-alive on for a connected socket's descriptor, with the settings above where the
// system lets this program choose them.
void EnableKeepAlive(qintptr descriptor);

// Sends small writes at once rather than waiting to gather more (no Nagle delay).
void SendAtOnce(qintptr descriptor);

// The settings in force on a socket descriptor (what the system reports), for checks.
KeepAliveSettings ReadKeepAlive(qintptr descriptor);

}  // namespace vextal
