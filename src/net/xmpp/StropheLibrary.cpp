#include "net/xmpp/StropheLibrary.h"

#include <map>
#include <string>

#include "net/FunctionTable.h"

namespace vextal {
namespace {

std::string gFile = StropheLibrary::kFile;

std::map<std::string, StropheLibrary>& Libraries() {
  static std::map<std::string, StropheLibrary> libraries;
  return libraries;
}

}  // namespace

const StropheLibrary* StropheLibrary::Load() {
  const bool first = Libraries().find(gFile) == Libraries().end();
  const StropheLibrary* library =
      LoadFunctionTable(Libraries(), gFile, [](void* handle, StropheLibrary& table) {
        bool complete = true;
#define VEXTAL_STROPHE_FIND(name) complete = FindFunction(handle, #name, table.name) && complete;
        VEXTAL_STROPHE_FUNCTIONS(VEXTAL_STROPHE_FIND)
#undef VEXTAL_STROPHE_FIND
        return complete;
      });
  if (library != nullptr && first) {
    library->xmpp_initialize();
  }
  return library;
}

void StropheLibrary::SetFile(const char* file) {
  gFile = file;
}

}  // namespace vextal
