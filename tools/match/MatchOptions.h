#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "game/CpuLevel.h"

namespace vextal::match {

struct MatchOptions {
  int Games = 200;  // per pairing, spread over the seven stages, each start by both sides
  std::uint64_t Seed = 1;
  int PlyCap = 200;
  std::string BookPath = "data/perfect.book";  // the Perfect level's opening book
  bool StageTimes = false;  // every move's thinking time, summed up per level and stage
  // Each pairing: the level measured first, its opponent second.
  std::vector<std::pair<CpuLevel, CpuLevel>> Pairings = {
      {CpuLevel::Good, CpuLevel::Classic},
      {CpuLevel::Strong, CpuLevel::Good},
      {CpuLevel::Master, CpuLevel::Strong},
      {CpuLevel::Master, CpuLevel::Classic},
  };
};

inline constexpr const char* kMatchUsage =
    "usage: vextal_match [--games N] [--seed S] [--ply-cap P] [--pairs A:B[,A:B...]]\n"
    "                    [--book FILE] [--stage-times]\n"
    "  levels: classic, good, strong, master, perfect (e.g. --pairs master:strong,good:classic)\n"
    "  FILE: Perfect's opening book (default data/perfect.book)\n"
    "  --stage-times: median, 95th percentile and worst thinking time per level and stage\n";

// The options of the command line, or nothing (with a message on `error`) when one is wrong.
std::optional<MatchOptions> ParseMatchOptions(const std::vector<std::string>& args,
                                              std::string& error);

}  // namespace vextal::match
