#pragma once

#include <vector>

#include "TuneKit.h"

namespace vextal::tools {

// The background tunes shipped in the music folder; each title, plus ".mid", is its file name
// and, without the extension, its caption in the music menu.
std::vector<Tune> MakeTunes();

}  // namespace vextal::tools
