#include "net/NetworkLibrary.h"

#include "net/ProgramModule.h"

namespace vextal {

const NetworkLibrary* Network() {
  using EntryPoint = const NetworkLibrary* (*)();
  static const NetworkLibrary* const library = [] {
    auto entry = reinterpret_cast<EntryPoint>(
        ProgramModuleSymbol("modules/libvextal_network.so", "vextal_network_library"));
    return entry != nullptr ? entry() : nullptr;
  }();
  return library;
}

}  // namespace vextal
