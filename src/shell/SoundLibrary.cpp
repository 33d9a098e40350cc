#include "shell/SoundLibrary.h"

#include "net/FunctionTable.h"

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

}  // namespace

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

void SoundLibrary::SetMixerFile(const char* file) {
  gMixerFile = file;
}

}  // namespace vextal
