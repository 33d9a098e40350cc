#include "net/AvahiLibrary.h"

#include <dlfcn.h>

#include <map>
#include <mutex>
#include <string>

namespace vextal {
namespace {

std::mutex gMutex;
std::string gClientFile = AvahiLibrary::kClientFile;

// Loaded libraries by file name; never unloaded, as a client's D-Bus connection may leave
// handlers behind that point into their code.
std::map<std::string, AvahiLibrary>& Libraries() {
  static std::map<std::string, AvahiLibrary> libraries;
  return libraries;
}

template <typename Function>
bool Find(void* handle, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  return function != nullptr;
}

}  // namespace

const AvahiLibrary* AvahiLibrary::Load() {
  // Discovery runs on a thread of its own, so the table is guarded.
  const std::lock_guard lock(gMutex);
  auto& libraries = Libraries();
  if (const auto loaded = libraries.find(gClientFile); loaded != libraries.end()) {
    return &loaded->second;
  }
  // Local: the functions are reached through this table only.
  void* handle = dlopen(gClientFile.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return nullptr;
  }
  AvahiLibrary library;
  bool complete = true;
  // A handle's look-up also searches the libraries it depends on, so the common library's
  // functions are found through the client's.
#define VEXTAL_AVAHI_FIND(name) complete = Find(handle, #name, library.name) && complete;
  VEXTAL_AVAHI_FUNCTIONS(VEXTAL_AVAHI_FIND)
#undef VEXTAL_AVAHI_FIND
  if (!complete) {
    dlclose(handle);
    return nullptr;
  }
  return &libraries.emplace(gClientFile, library).first->second;
}

void AvahiLibrary::SetClientFile(const char* file) {
  const std::lock_guard lock(gMutex);
  gClientFile = file;
}

}  // namespace vextal
