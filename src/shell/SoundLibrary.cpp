#include "shell/SoundLibrary.h"

#include <dlfcn.h>
#include <unistd.h>

#include <cstdlib>
#include <map>
#include <string>
#include <string_view>

#include "net/FunctionTable.h"

namespace vextal {
namespace {

std::string gMixerFile = SoundLibrary::kMixerFile;

// Loaded libraries by file name; never unloaded, as SDL may leave threads and exit handlers
// behind that point into its code.
std::map<std::string, SoundLibrary>& Libraries() {
  static std::map<std::string, SoundLibrary> libraries;
  return libraries;
}

// SDL while loaded for the effects alone, with its handle, so that it can be let go.
struct LoadedSdl {
  SdlLibrary Table;
  void* Handle = nullptr;
};
LoadedSdl gSdl;

bool Readable(const std::string& path) {
  return access(path.c_str(), R_OK) == 0;
}

}  // namespace

const SdlLibrary* SdlLibrary::Load() {
  if (gSdl.Handle != nullptr) {
    return &gSdl.Table;
  }
  void* handle = dlopen(kSdlFile, RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return nullptr;
  }
  SdlLibrary library;
  bool complete = true;
#define VEXTAL_SDL_FIND(name) complete = FindFunction(handle, #name, library.name) && complete;
  VEXTAL_SDL_FUNCTIONS(VEXTAL_SDL_FIND)
#undef VEXTAL_SDL_FIND
  if (!complete) {
    dlclose(handle);
    return nullptr;
  }
  gSdl = {library, handle};
  return &gSdl.Table;
}

void SdlLibrary::Release() {
  if (gSdl.Handle != nullptr && !SoundLibrary::Loaded() && gSdl.Table.SDL_WasInit(0) == 0) {
    dlclose(gSdl.Handle);
    gSdl = {};
  }
}

const SoundLibrary* SoundLibrary::Load() {
  return LoadFunctionTable(Libraries(), gMixerFile, [](void* handle, SoundLibrary& library) {
    bool complete = true;
    // SDL's functions are found through the mixer.
#define VEXTAL_SOUND_FIND(name) complete = FindFunction(handle, #name, library.name) && complete;
    VEXTAL_SOUND_FUNCTIONS(VEXTAL_SOUND_FIND)
#undef VEXTAL_SOUND_FIND
    return complete;
  });
}

bool SoundLibrary::Loaded() {
  return !Libraries().empty();
}

bool SoundLibrary::Installed(const SdlLibrary& sdl) {
  if (Loaded() || gMixerFile.find('/') != std::string::npos) {
    return Loaded() || Readable(gMixerFile);
  }
  if (const char* path = std::getenv("LD_LIBRARY_PATH")) {
    for (std::string_view rest = path; !rest.empty();) {
      const std::size_t colon = rest.find(':');
      const std::string_view folder = rest.substr(0, colon);
      if (!folder.empty() && Readable(std::string(folder) + '/' + gMixerFile)) {
        return true;
      }
      rest = colon == std::string_view::npos ? std::string_view() : rest.substr(colon + 1);
    }
  }
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(sdl.SDL_InitSubSystem), &info) == 0 ||
      info.dli_fname == nullptr) {
    return false;
  }
  std::string folder = info.dli_fname;
  folder.erase(folder.find_last_of('/') + 1);  // npos + 1 is 0: a bare name, the working folder
  return Readable(folder + gMixerFile);
}

void SoundLibrary::SetMixerFile(const char* file) {
  gMixerFile = file;
}

}  // namespace vextal
