#pragma once

namespace vextal {

// A library of the program's own that is opened at its first use rather than linked, so that
// what it brings along is mapped only by those who need it. It is looked for first among what
// is loaded already (tests link it) and then as `file` under the folder of the running binary,
// where the build and install trees lay it out. Returns the address of `entry` in it, null where
// the library or the symbol is missing. An opened library is never closed: Qt keeps objects and
// threads that point into it.
void* ProgramModuleSymbol(const char* file, const char* entry);

}  // namespace vextal
