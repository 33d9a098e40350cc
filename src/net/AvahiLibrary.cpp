#include "net/AvahiLibrary.h"

#include "net/FunctionTable.h"

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

}  // namespace

const AvahiLibrary* AvahiLibrary::Load() {
  // Discovery runs on a thread of its own, so the table is guarded.
  const std::lock_guard lock(gMutex);
  return LoadFunctionTable(Libraries(), gClientFile, [](void* handle, AvahiLibrary& library) {
    bool complete = true;
    // The common library's functions are found through the client's.
#define VEXTAL_AVAHI_FIND(name) complete = FindFunction(handle, #name, library.name) && complete;
    VEXTAL_AVAHI_FUNCTIONS(VEXTAL_AVAHI_FIND)
#undef VEXTAL_AVAHI_FIND
    return complete;
  });
}

void AvahiLibrary::SetClientFile(const char* file) {
  const std::lock_guard lock(gMutex);
  gClientFile = file;
}

}  // namespace vextal
