#pragma once

#include <strophe.h>

namespace vextal {

// Every function of libstrophe the XMPP client uses, called through the loaded library.
#define VEXTAL_STROPHE_FUNCTIONS(X)  \
  X(xmpp_initialize)                 \
  X(xmpp_ctx_new)                    \
  X(xmpp_ctx_free)                   \
  X(xmpp_free)                       \
  X(xmpp_run_once)                   \
  X(xmpp_conn_new)                   \
  X(xmpp_conn_release)               \
  X(xmpp_conn_set_flags)             \
  X(xmpp_conn_set_jid)               \
  X(xmpp_conn_set_pass)              \
  X(xmpp_conn_set_cafile)            \
  X(xmpp_conn_set_certfail_handler)  \
  X(xmpp_conn_set_sockopt_callback)  \
  X(xmpp_conn_get_bound_jid)         \
  X(xmpp_conn_is_secured)            \
  X(xmpp_conn_send_queue_len)        \
  X(xmpp_sockopt_cb_keepalive)       \
  X(xmpp_connect_client)             \
  X(xmpp_disconnect)                 \
  X(xmpp_send)                       \
  X(xmpp_handler_add)                \
  X(xmpp_handler_delete)             \
  X(xmpp_stanza_new)                 \
  X(xmpp_stanza_release)             \
  X(xmpp_stanza_set_name)            \
  X(xmpp_stanza_set_attribute)       \
  X(xmpp_stanza_set_text_with_size)  \
  X(xmpp_stanza_add_child_ex)        \
  X(xmpp_stanza_get_children)        \
  X(xmpp_stanza_get_next)            \
  X(xmpp_stanza_is_text)             \
  X(xmpp_stanza_get_name)            \
  X(xmpp_stanza_get_attribute_count) \
  X(xmpp_stanza_get_attributes)      \
  X(xmpp_stanza_get_text_ptr)

// libstrophe, loaded when an account first logs in rather than with the program: a machine
// without it starts and plays as before, and only the internet account says it is unavailable.
struct StropheLibrary {
#define VEXTAL_STROPHE_POINTER(name) decltype(&::name) name = nullptr;
  VEXTAL_STROPHE_FUNCTIONS(VEXTAL_STROPHE_POINTER)
#undef VEXTAL_STROPHE_POINTER

  static constexpr const char* kFile = "libstrophe.so.0";

  // The library, loaded and initialised on the first call and kept for the rest of the run. Null
  // when the file cannot be loaded or lacks one of the functions. User-interface thread only.
  static const StropheLibrary* Load();
  // The file Load opens from now on; tests name one that does not exist.
  static void SetFile(const char* file);
};

}  // namespace vextal
