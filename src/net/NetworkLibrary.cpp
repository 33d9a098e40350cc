#include "net/NetworkLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <string>

namespace vextal {
namespace {

constexpr const char* kModuleFile = "modules/libvextal_network.so";
constexpr const char* kEntryPoint = "vextal_network_library";

using EntryPoint = const NetworkLibrary* (*)();

// The folder of the running binary, where the library is laid out beside it (in the build tree
// and in the install tree alike); empty when the system does not say.
std::string ProgramFolder() {
  std::array<char, 4096> path{};
  const ssize_t length = readlink("/proc/self/exe", path.data(), path.size() - 1);
  if (length <= 0) {
    return {};
  }
  const std::string file(path.data(), size_t(length));
  const size_t slash = file.rfind('/');
  return slash == std::string::npos ? std::string() : file.substr(0, slash + 1);
}

const NetworkLibrary* Load() {
  // Tests and tools link the library and find it among what is loaded already.
  if (auto linked = reinterpret_cast<EntryPoint>(dlsym(RTLD_DEFAULT, kEntryPoint))) {
    return linked();
  }
  const std::string folder = ProgramFolder();
  if (folder.empty()) {
    return nullptr;
  }
  // Never closed: Qt keeps threads and objects of its own that point into it.
  void* handle = dlopen((folder + kModuleFile).c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return nullptr;
  }
  auto entry = reinterpret_cast<EntryPoint>(dlsym(handle, kEntryPoint));
  return entry != nullptr ? entry() : nullptr;
}

}  // namespace

const NetworkLibrary* Network() {
  static const NetworkLibrary* const library = Load();
  return library;
}

}  // namespace vextal
