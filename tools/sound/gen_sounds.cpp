// Writes the program's own sound effects and background tunes:
//   vextal_gen_sounds <sound folder> <music folder>
// Everything is synthesised or composed here; nothing is read from elsewhere.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "Effects.h"
#include "MidiWriter.h"
#include "Tunes.h"
#include "WavWriter.h"

int main(int argc, char** argv) {
  using namespace vextal::tools;
  if (argc != 3) {
    std::fprintf(stderr, "usage: %s <sound folder> <music folder>\n", argv[0]);
    return 2;
  }
  const std::filesystem::path soundDir = argv[1];
  const std::filesystem::path musicDir = argv[2];
  try {
    std::filesystem::create_directories(soundDir);
    std::filesystem::create_directories(musicDir);
    for (const Effect& effect : MakeEffects()) {
      if (!WriteWav((soundDir / effect.FileName).string(), effect.Samples, kEffectRate)) {
        std::fprintf(stderr, "cannot write %s\n", effect.FileName.c_str());
        return 1;
      }
    }
    for (const Tune& tune : MakeTunes()) {
      const std::string fileName = tune.Title + ".mid";
      if (!WriteFile((musicDir / fileName).string(), Arrange(tune))) {
        std::fprintf(stderr, "cannot write %s\n", fileName.c_str());
        return 1;
      }
    }
  } catch (const std::exception& error) {
    std::fprintf(stderr, "gen_sounds: %s\n", error.what());
    return 1;
  }
  return 0;
}
