#pragma once

#include <dlfcn.h>

#include <map>
#include <string>

namespace vextal {

// Fills `function` with the symbol `name` of an opened library; false when it is missing.
template <typename Function>
bool FindFunction(void* handle, const char* name, Function& function) {
  function = reinterpret_cast<Function>(dlsym(handle, name));
  return function != nullptr;
}

// A library loaded at first use: opens `file` once and fills a table of its functions through
// `fill(handle, table)`, which says whether every one was found. Tables are kept by file name
// and never unloaded (a library may leave threads or handlers behind that point into its code).
// The handle is opened local, so the program's own symbol look-ups never search the library;
// a look-up through it also searches the libraries it depends on. Null when the file cannot be
// opened or lacks a function.
template <typename Table, typename Fill>
const Table* LoadFunctionTable(std::map<std::string, Table>& loaded, const std::string& file,
                               Fill fill) {
  if (const auto found = loaded.find(file); found != loaded.end()) {
    return &found->second;
  }
  void* handle = dlopen(file.c_str(), RTLD_NOW | RTLD_LOCAL);
  if (handle == nullptr) {
    return nullptr;
  }
  Table table;
  if (!fill(handle, table)) {
    dlclose(handle);
    return nullptr;
  }
  return &loaded.emplace(file, table).first->second;
}

}  // namespace vextal
