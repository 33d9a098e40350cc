#include "MatchOptions.h"

#include <charconv>

#include <QString>

namespace vextal::match {

namespace {

std::optional<long long> ParseNumber(const std::string& text, long long least) {
  long long value = 0;
  const auto [end, ec] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (ec != std::errc() || end != text.data() + text.size() || value < least) {
    return std::nullopt;
  }
  return value;
}

std::optional<CpuLevel> ParseLevel(const std::string& text) {
  for (const CpuLevel level : kCpuLevels) {
    if (CpuLevelName(level).compare(QString::fromStdString(text), Qt::CaseInsensitive) == 0) {
      return level;
    }
  }
  return std::nullopt;
}

bool ParsePairings(const std::string& text, std::vector<std::pair<CpuLevel, CpuLevel>>& out) {
  out.clear();
  std::size_t start = 0;
  while (start <= text.size()) {
    const std::size_t comma = std::min(text.find(',', start), text.size());
    const std::string pair = text.substr(start, comma - start);
    const std::size_t colon = pair.find(':');
    if (colon == std::string::npos) {
      return false;
    }
    const auto first = ParseLevel(pair.substr(0, colon));
    const auto second = ParseLevel(pair.substr(colon + 1));
    if (!first || !second) {
      return false;
    }
    out.emplace_back(*first, *second);
    start = comma + 1;
  }
  return !out.empty();
}

}  // namespace

std::optional<MatchOptions> ParseMatchOptions(const std::vector<std::string>& args,
                                              std::string& error) {
  MatchOptions options;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& name = args[i];
    if (name == "--stage-times") {
      options.StageTimes = true;
      continue;
    }
    if (i + 1 >= args.size()) {
      error = "missing value after " + name;
      return std::nullopt;
    }
    const std::string& value = args[++i];
    bool ok = true;
    if (name == "--games" || name == "--ply-cap") {
      const auto number = ParseNumber(value, 1);
      ok = number && *number <= 1'000'000;
      (name == "--games" ? options.Games : options.PlyCap) = ok ? int(*number) : 0;
    } else if (name == "--seed") {
      const auto number = ParseNumber(value, 0);
      ok = number.has_value();
      options.Seed = ok ? std::uint64_t(*number) : 0;
    } else if (name == "--book") {
      options.BookPath = value;
    } else if (name == "--pairs") {
      ok = ParsePairings(value, options.Pairings);
    } else {
      error = "unknown option " + name;
      return std::nullopt;
    }
    if (!ok) {
      error = "bad value for " + name + ": " + value;
      return std::nullopt;
    }
  }
  return options;
}

}  // namespace vextal::match
