// Launches a program and reports how long it took until its first window was mapped on the X
// server and until the program first drew into it, with what the process held at the map.
//
//   launch_watch [--settle MS] [--late MS] [--objects FILE] [--timeout MS] program [arguments...]
//
// Prints one line of key=value pairs and exits 0, then terminates the program:
//   map_ms    launch to the map of its first top-level window
//   paint_ms  launch to its first drawing into that window (-1 without the DAMAGE extension)
//   cpu_ms    CPU time of all its threads at the map
//   rss_kib, objects          VmRSS and the shared objects mapped, at the map
//   settled_rss_kib, settled_objects   the same MS (default 1000) after the map
//   late_rss_kib, late_objects   the same --late MS (default 5000) after the launch, or at the
//                                settled reading if that comes later
// --objects FILE writes the paths of the shared objects mapped at the late reading, one a line.
// Exits 1 when the program ended or timed out before mapping a window, 2 without a display.
//
// Everything is observed from outside, so the program runs as it is: the times come from the X
// server's events (MapNotify on the root window, selected before the launch, and DamageNotify
// on each new top-level window), and the figures from /proc. With no window manager running, a
// window is mapped the moment the program asks for it.
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/uio.h>
#include <sys/wait.h>
#include <unistd.h>

#include <xcb/xcb.h>
#include <xcb/xcbext.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <set>
#include <string>
#include <thread>

namespace {

using Clock = std::chrono::steady_clock;

struct Holding {
  long RssKib = -1;
  int SharedObjects = -1;
  double CpuMs = -1;
  std::set<std::string> Objects;
};

// VmRSS, the distinct shared objects in the address space, and the time on a CPU of all
// threads by the scheduler's count (exact, unlike the clock ticks of /proc/<pid>/stat).
Holding Read(pid_t pid) {
  Holding out;
  const std::string proc = "/proc/" + std::to_string(pid);
  std::ifstream status(proc + "/status");
  for (std::string line; std::getline(status, line);) {
    if (line.rfind("VmRSS:", 0) == 0) {
      out.RssKib = std::strtol(line.c_str() + 6, nullptr, 10);
    }
  }
  std::ifstream maps(proc + "/maps");
  std::set<std::string>& objects = out.Objects;
  for (std::string line; std::getline(maps, line);) {
    const auto slash = line.find('/');
    if (slash != std::string::npos && line.find(".so", slash) != std::string::npos) {
      objects.insert(line.substr(slash));
    }
  }
  out.SharedObjects = static_cast<int>(objects.size());
  long long nanoseconds = 0;
  std::error_code error;
  for (const auto& task : std::filesystem::directory_iterator(proc + "/task", error)) {
    long long onCpu = 0;
    if (std::ifstream(task.path() / "schedstat") >> onCpu) {
      nanoseconds += onCpu;
    }
  }
  out.CpuMs = nanoseconds / 1e6;
  return out;
}

// The DAMAGE extension, spoken directly: its two requests are all that is needed here.
xcb_extension_t gDamage = {"DAMAGE", 0};

struct DamageQueryVersion {
  uint8_t major, minor;
  uint16_t length;
  uint32_t clientMajor, clientMinor;
};
struct DamageCreate {
  uint8_t major, minor;
  uint16_t length;
  uint32_t damage, drawable;
  uint8_t level, pad[3];
};
constexpr uint8_t kReportNonEmpty = 3;  // one event when the window is first drawn into

template <typename Request>
unsigned Send(xcb_connection_t* x, Request& request, bool withReply) {
  const xcb_protocol_request_t info = {1, &gDamage, request.minor, uint8_t(withReply ? 0 : 1)};
  iovec parts[3] = {{}, {}, {&request, sizeof request}};  // xcb uses the two before the data
  return xcb_send_request(x, withReply ? XCB_REQUEST_CHECKED : 0, parts + 2, &info);
}

// The first event code of DAMAGE, or -1 when the server lacks it.
int StartDamage(xcb_connection_t* x) {
  const xcb_query_extension_reply_t* extension = xcb_get_extension_data(x, &gDamage);
  if (extension == nullptr || !extension->present) {
    return -1;
  }
  DamageQueryVersion version = {0, 0, 0, 1, 1};
  xcb_generic_error_t* error = nullptr;
  std::free(xcb_wait_for_reply(x, Send(x, version, true), &error));
  const bool refused = error != nullptr;
  std::free(error);
  return refused ? -1 : extension->first_event;
}

void WatchDamage(xcb_connection_t* x, xcb_window_t window) {
  DamageCreate create = {0, 1, 0, xcb_generate_id(x), window, kReportNonEmpty, {}};
  Send(x, create, false);
  xcb_flush(x);
}

// The _NET_WM_PID of a window, or 0.
pid_t WindowPid(xcb_connection_t* x, xcb_window_t window) {
  const char name[] = "_NET_WM_PID";
  xcb_intern_atom_reply_t* atom =
      xcb_intern_atom_reply(x, xcb_intern_atom(x, 1, sizeof name - 1, name), nullptr);
  if (atom == nullptr || atom->atom == XCB_ATOM_NONE) {
    std::free(atom);
    return 0;
  }
  xcb_get_property_reply_t* property = xcb_get_property_reply(
      x, xcb_get_property(x, 0, window, atom->atom, XCB_ATOM_CARDINAL, 0, 1), nullptr);
  std::free(atom);
  pid_t pid = 0;
  if (property != nullptr && xcb_get_property_value_length(property) == 4) {
    pid = static_cast<pid_t>(*static_cast<const uint32_t*>(xcb_get_property_value(property)));
  }
  std::free(property);
  return pid;
}

pid_t Launch(char** argv) {
  const pid_t pid = fork();
  if (pid == 0) {
    const int null = open("/dev/null", O_WRONLY);
    dup2(null, STDOUT_FILENO);
    dup2(null, STDERR_FILENO);
    execvp(argv[0], argv);
    _exit(127);
  }
  return pid;
}

struct Watched {
  Clock::time_point Launched, Mapped, Painted;
  Holding AtMap;
};

// Follows the program's windows until its first one is mapped and drawn into, or the deadline.
bool Follow(xcb_connection_t* x, pid_t pid, int damageEvent, int timeoutMs, Watched& out) {
  const Clock::time_point deadline = out.Launched + std::chrono::milliseconds(timeoutMs);
  pollfd input{xcb_get_file_descriptor(x), POLLIN, 0};
  xcb_window_t window = XCB_WINDOW_NONE;
  bool painted = damageEvent < 0;
  while ((window == XCB_WINDOW_NONE || !painted) && Clock::now() < deadline &&
         waitpid(pid, nullptr, WNOHANG) == 0) {
    xcb_generic_event_t* event = xcb_poll_for_event(x);
    if (event == nullptr) {
      poll(&input, 1, 20);
      continue;
    }
    const Clock::time_point at = Clock::now();
    const int type = event->response_type & 0x7F;
    if (type == XCB_CREATE_NOTIFY && damageEvent >= 0) {
      WatchDamage(x, reinterpret_cast<xcb_create_notify_event_t*>(event)->window);
    } else if (type == XCB_MAP_NOTIFY && window == XCB_WINDOW_NONE) {
      const auto* map = reinterpret_cast<xcb_map_notify_event_t*>(event);
      const Holding holding = Read(pid);
      if (!map->override_redirect && WindowPid(x, map->window) == pid) {
        window = map->window;
        out.Mapped = at;
        out.AtMap = holding;
      }
    } else if (type == damageEvent && window != XCB_WINDOW_NONE && !painted) {
      // DamageNotify: code, level, sequence, then the drawable.
      uint32_t drawable = 0;
      std::memcpy(&drawable, reinterpret_cast<const char*>(event) + 4, sizeof drawable);
      if (drawable == window) {
        out.Painted = at;
        painted = true;
      }
    }
    std::free(event);
  }
  return window != XCB_WINDOW_NONE && painted;
}

double Ms(Clock::time_point from, Clock::time_point to) {
  return std::chrono::duration<double, std::milli>(to - from).count();
}

}  // namespace

int main(int argc, char** argv) {
  int settleMs = 1000;
  int lateMs = 5000;
  int timeoutMs = 10000;
  const char* objectsFile = nullptr;
  int first = 1;
  for (; first + 1 < argc; first += 2) {
    if (std::strcmp(argv[first], "--settle") == 0) {
      settleMs = std::atoi(argv[first + 1]);
    } else if (std::strcmp(argv[first], "--late") == 0) {
      lateMs = std::atoi(argv[first + 1]);
    } else if (std::strcmp(argv[first], "--objects") == 0) {
      objectsFile = argv[first + 1];
    } else if (std::strcmp(argv[first], "--timeout") == 0) {
      timeoutMs = std::atoi(argv[first + 1]);
    } else {
      break;
    }
  }
  if (first >= argc) {
    std::fprintf(stderr,
                 "usage: %s [--settle MS] [--late MS] [--objects FILE] [--timeout MS] "
                 "program [arguments...]\n",
                 argv[0]);
    return 2;
  }
  xcb_connection_t* x = xcb_connect(nullptr, nullptr);
  if (xcb_connection_has_error(x)) {
    std::fprintf(stderr, "launch_watch: cannot open the display\n");
    return 2;
  }
  const int damageEvent = StartDamage(x);
  // Every screen's root; checked, so the selection is in force before the program starts.
  const uint32_t mask = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  for (auto s = xcb_setup_roots_iterator(xcb_get_setup(x)); s.rem > 0; xcb_screen_next(&s)) {
    std::free(xcb_request_check(
        x, xcb_change_window_attributes_checked(x, s.data->root, XCB_CW_EVENT_MASK, &mask)));
  }

  Watched watched;
  watched.Launched = Clock::now();
  const pid_t pid = Launch(argv + first);
  const bool shown = Follow(x, pid, damageEvent, timeoutMs, watched);
  if (shown) {
    std::this_thread::sleep_for(std::chrono::milliseconds(settleMs));
  }
  const Holding settled = Read(pid);
  if (shown) {
    std::this_thread::sleep_until(watched.Launched + std::chrono::milliseconds(lateMs));
  }
  const Holding late = Read(pid);
  if (objectsFile != nullptr) {
    std::ofstream list(objectsFile);
    for (const std::string& object : late.Objects) {
      list << object << '\n';
    }
  }
  kill(pid, SIGTERM);
  waitpid(pid, nullptr, 0);
  if (!shown) {
    std::fprintf(stderr, "launch_watch: %s showed no window\n", argv[first]);
    return 1;
  }
  std::printf(
      "map_ms=%.2f paint_ms=%.2f cpu_ms=%.2f rss_kib=%ld objects=%d settled_rss_kib=%ld "
      "settled_objects=%d late_rss_kib=%ld late_objects=%d\n",
      Ms(watched.Launched, watched.Mapped),
      damageEvent < 0 ? -1.0 : Ms(watched.Launched, watched.Painted), watched.AtMap.CpuMs,
      watched.AtMap.RssKib, watched.AtMap.SharedObjects, settled.RssKib, settled.SharedObjects,
      late.RssKib, late.SharedObjects);
  return 0;
}
