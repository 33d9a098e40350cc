#include "net/KeepAlive.h"

#if defined(Q_OS_UNIX)
#include <netinet/in.h>
#include <netinet/tcp.h>
#include <sys/socket.h>
#endif

namespace vextal {

namespace {

#if defined(Q_OS_UNIX)
[[maybe_unused]] void SetTcpOption(int fd, int option, int value) {
  // A system that refuses an option keeps its default, which only makes noticing slower.
  (void)::setsockopt(fd, IPPROTO_TCP, option, &value, sizeof value);
}

[[maybe_unused]] int GetOption(int fd, int level, int option) {
  int value = 0;
  socklen_t size = sizeof value;
  return ::getsockopt(fd, level, option, &value, &size) == 0 ? value : 0;
}
#endif

}  // namespace

void SendAtOnce([[maybe_unused]] qintptr descriptor) {
#if defined(Q_OS_UNIX)
  if (descriptor >= 0) {
    SetTcpOption(int(descriptor), TCP_NODELAY, 1);
  }
#endif
}

void EnableKeepAlive([[maybe_unused]] qintptr descriptor) {
#if defined(Q_OS_UNIX)
  const int fd = int(descriptor);
  if (fd < 0) {
    return;
  }
  const int on = 1;
  (void)::setsockopt(fd, SOL_SOCKET, SO_KEEPALIVE, &on, sizeof on);
#if defined(TCP_KEEPIDLE)
  SetTcpOption(fd, TCP_KEEPIDLE, kKeepAlive.IdleSeconds);
#elif defined(TCP_KEEPALIVE)
  SetTcpOption(fd, TCP_KEEPALIVE, kKeepAlive.IdleSeconds);  // the same option's other name
#endif
#if defined(TCP_KEEPINTVL)
  SetTcpOption(fd, TCP_KEEPINTVL, kKeepAlive.IntervalSeconds);
#endif
#if defined(TCP_KEEPCNT)
  SetTcpOption(fd, TCP_KEEPCNT, kKeepAlive.Probes);
#endif
#if defined(TCP_USER_TIMEOUT)
  // Probes are only sent on a quiet link; a move still unacknowledged ends it this way instead of
  // after the system's many minutes of retries.
  SetTcpOption(fd, TCP_USER_TIMEOUT, kKeepAlive.UserTimeoutMs);
#endif
#endif
}

KeepAliveSettings ReadKeepAlive([[maybe_unused]] qintptr descriptor) {
  KeepAliveSettings settings;
#if defined(Q_OS_UNIX)
  const int fd = int(descriptor);
  settings.Enabled = GetOption(fd, SOL_SOCKET, SO_KEEPALIVE) != 0;
#if defined(TCP_KEEPIDLE)
  settings.IdleSeconds = GetOption(fd, IPPROTO_TCP, TCP_KEEPIDLE);
#endif
#if defined(TCP_KEEPINTVL)
  settings.IntervalSeconds = GetOption(fd, IPPROTO_TCP, TCP_KEEPINTVL);
#endif
#if defined(TCP_KEEPCNT)
  settings.Probes = GetOption(fd, IPPROTO_TCP, TCP_KEEPCNT);
#endif
#if defined(TCP_USER_TIMEOUT)
  settings.UserTimeoutMs = GetOption(fd, IPPROTO_TCP, TCP_USER_TIMEOUT);
#endif
#endif
  return settings;
}

}  // namespace vextal
