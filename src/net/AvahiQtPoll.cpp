#include "net/AvahiQtPoll.h"

#include <sys/time.h>

#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <limits>

// The types Avahi leaves to the provider of its main loop.
struct AvahiWatch {
  int fd = -1;
  AvahiWatchEvent happened = AvahiWatchEvent(0);
  AvahiWatchCallback callback = nullptr;
  void* userdata = nullptr;
  QSocketNotifier* read = nullptr;
  QSocketNotifier* write = nullptr;
};

struct AvahiTimeout {
  QTimer* timer = nullptr;
  AvahiTimeoutCallback callback = nullptr;
  void* userdata = nullptr;
};

namespace vextal {
namespace {

// Runs a watch's callback for what its notifier saw. The callback may free the watch: nothing
// touches it afterwards.
void Fire(AvahiWatch* watch, AvahiWatchEvent event) {
  watch->happened = event;
  watch->callback(watch, watch->fd, event, watch->userdata);
}

void WatchUpdate(AvahiWatch* watch, AvahiWatchEvent events) {
  // A closed or failed descriptor reads as ready, so errors and hang-ups reach Avahi as input.
  watch->read->setEnabled((events & AVAHI_WATCH_IN) != 0);
  watch->write->setEnabled((events & AVAHI_WATCH_OUT) != 0);
}

AvahiWatch* WatchNew(const AvahiPoll*, int fd, AvahiWatchEvent events, AvahiWatchCallback callback,
                     void* userdata) {
  auto* watch = new AvahiWatch{fd, AvahiWatchEvent(0), callback, userdata, nullptr, nullptr};
  watch->read = new QSocketNotifier(fd, QSocketNotifier::Read);
  watch->write = new QSocketNotifier(fd, QSocketNotifier::Write);
  QObject::connect(watch->read, &QSocketNotifier::activated,
                   [watch] { Fire(watch, AVAHI_WATCH_IN); });
  QObject::connect(watch->write, &QSocketNotifier::activated,
                   [watch] { Fire(watch, AVAHI_WATCH_OUT); });
  WatchUpdate(watch, events);
  return watch;
}

AvahiWatchEvent WatchGetEvents(AvahiWatch* watch) {
  return watch->happened;
}

void WatchFree(AvahiWatch* watch) {
  // May run inside the watch's own callback: the notifiers go once their signal has returned.
  for (QSocketNotifier* notifier : {watch->read, watch->write}) {
    notifier->setEnabled(false);
    notifier->disconnect();
    notifier->deleteLater();
  }
  delete watch;
}

void TimeoutUpdate(AvahiTimeout* timeout, const struct timeval* when) {
  if (when == nullptr) {
    timeout->timer->stop();
    return;
  }
  // Avahi states its deadlines in wall-clock time (gettimeofday), so the wait is measured there.
  timeval now{};
  gettimeofday(&now, nullptr);
  const long long ms = (static_cast<long long>(when->tv_sec) - now.tv_sec) * 1000 +
                       (when->tv_usec - now.tv_usec) / 1000;
  timeout->timer->start(int(std::clamp<long long>(ms, 0, std::numeric_limits<int>::max())));
}

AvahiTimeout* TimeoutNew(const AvahiPoll*, const struct timeval* when,
                         AvahiTimeoutCallback callback, void* userdata) {
  auto* timeout = new AvahiTimeout{new QTimer, callback, userdata};
  timeout->timer->setSingleShot(true);
  QObject::connect(timeout->timer, &QTimer::timeout,
                   [timeout] { timeout->callback(timeout, timeout->userdata); });
  TimeoutUpdate(timeout, when);
  return timeout;
}

void TimeoutFree(AvahiTimeout* timeout) {
  // May run inside the timeout's own callback, as for watches.
  timeout->timer->stop();
  timeout->timer->disconnect();
  timeout->timer->deleteLater();
  delete timeout;
}

}  // namespace

AvahiQtPoll::AvahiQtPoll() {
  api_.userdata = this;
  api_.watch_new = WatchNew;
  api_.watch_update = WatchUpdate;
  api_.watch_get_events = WatchGetEvents;
  api_.watch_free = WatchFree;
  api_.timeout_new = TimeoutNew;
  api_.timeout_update = TimeoutUpdate;
  api_.timeout_free = TimeoutFree;
}

}  // namespace vextal
