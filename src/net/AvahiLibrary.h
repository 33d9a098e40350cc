#pragma once

#include <avahi-client/client.h>
#include <avahi-client/lookup.h>
#include <avahi-client/publish.h>
#include <avahi-common/address.h>
#include <avahi-common/alternative.h>
#include <avahi-common/error.h>
#include <avahi-common/malloc.h>
#include <avahi-common/strlst.h>

namespace vextal {

// Every function of the Avahi client library that game discovery uses, called through the
// loaded library.
#define VEXTAL_AVAHI_FUNCTIONS(X)                \
  X(avahi_client_new)                            \
  X(avahi_client_free)                           \
  X(avahi_client_errno)                          \
  X(avahi_client_get_host_name)                  \
  X(avahi_entry_group_new)                       \
  X(avahi_entry_group_free)                      \
  X(avahi_entry_group_add_service_strlst)        \
  X(avahi_entry_group_update_service_txt_strlst) \
  X(avahi_entry_group_commit)                    \
  X(avahi_entry_group_reset)                     \
  X(avahi_service_browser_new)                   \
  X(avahi_service_browser_free)                  \
  X(avahi_service_resolver_new)                  \
  X(avahi_service_resolver_free)                 \
  X(avahi_strerror)                              \
  X(avahi_alternative_service_name)              \
  X(avahi_free)                                  \
  X(avahi_address_snprint)                       \
  X(avahi_string_list_add)                       \
  X(avahi_string_list_free)                      \
  X(avahi_string_list_get_next)                  \
  X(avahi_string_list_get_text)                  \
  X(avahi_string_list_get_size)

// The Avahi client library, loaded when discovery is first used rather than with the program: a
// machine without it (or without the daemon it talks to) starts, hosts and connects as before,
// and only the list of games says that discovery is unavailable.
struct AvahiLibrary {
#define VEXTAL_AVAHI_POINTER(name) decltype(&::name) name = nullptr;
  VEXTAL_AVAHI_FUNCTIONS(VEXTAL_AVAHI_POINTER)
#undef VEXTAL_AVAHI_POINTER

  // The client library by its stable name; the common library comes with it as its dependency.
  static constexpr const char* kClientFile = "libavahi-client.so.3";

  // The library, loaded on the first call and kept for the rest of the run. Null when the file
  // cannot be loaded or lacks one of the functions. Safe to call from any thread.
  static const AvahiLibrary* Load();
  // The file Load opens from now on; tests name one that does not exist.
  static void SetClientFile(const char* file);
};

}  // namespace vextal
