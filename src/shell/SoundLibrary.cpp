#include "shell/SoundLibrary.h"

#include <dlfcn.h>

#include <map>
#include <string>

namespace vextal {
namespace {

std::string gMixerFile = SoundLibrary::kMixerFile;

// Loaded libraries by file name; never unloaded, as SDL may leave threads and exit handlers
// behind that point into its code.
std::map<std::string, SoundLibrary>& Libraries() {
  static std::map<std::string, SoundLibrary> libraries;
  return libraries;
}

template <typename Function>
bool Find(void* handle, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  return function != nullptr;
}

}  // namespace

const SoundLibrary* SoundLibrary::Load() {
  auto& libraries = Libraries();
  if (const auto loaded = libraries.find(gMixerFile); loaded != libraries.end()) {
    return &loaded->second;
  }
  // Local: the functions are reached through this table only, so the program's own symbol
  // look-ups never search the sound libraries.
  void* handle = dlopen(gMixerFile.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return nullptr;
  }
  SoundLibrary library;
  bool complete = true;
  // A handle's look-up also searches the libraries it depends on, so SDL's functions are found
  // through the mixer.
#define VEXTAL_SOUND_FIND(name) complete = Find(handle, #name, library.name) && complete;
  VEXTAL_SOUND_FUNCTIONS(VEXTAL_SOUND_FIND)
#undef VEXTAL_SOUND_FIND
  if (!complete) {
    dlclose(handle);
    return nullptr;
  }
  return &libraries.emplace(gMixerFile, library).first->second;
}

bool SoundLibrary::Loaded() {
  return !Libraries().empty();
}

void SoundLibrary::SetMixerFile(const char* file) {
  gMixerFile = file;
}

}  // namespace vextal
