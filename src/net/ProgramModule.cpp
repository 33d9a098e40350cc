#include "net/ProgramModule.h"

#include <dlfcn.h>
#include <unistd.h>

#include <array>
#include <string>

namespace vextal {
namespace {

// The folder of the running binary with its final '/'; empty when the system does not say.
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

}  // namespace

void* ProgramModuleSymbol(const char* file, const char* entry) {
  if (void* linked = dlsym(RTLD_DEFAULT, entry)) {
    return linked;
  }
  const std::string folder = ProgramFolder();
  if (folder.empty()) {
    return nullptr;
  }
  void* handle = dlopen((folder + file).c_str(), RTLD_NOW | RTLD_LOCAL);
  return handle != nullptr ? dlsym(handle, entry) : nullptr;
}

}  // namespace vextal
