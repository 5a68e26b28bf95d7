// One line of the closing summary: "NAME: VALUE UNIT (target TARGET) ok" or "... MISSED".
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace kelvane::bench {

struct Figure {
  std::string name;
  double value = 0;
  std::string unit;
  std::string target;  // empty: the figure is only reported
  bool ok = true;
  int decimals = 2;
};

inline std::string FormatFigure(const Figure& figure) {
  char value[32];
  std::snprintf(value, sizeof value, "%.*f", figure.decimals, figure.value);
  std::string line = figure.name + ": " + value + " " + figure.unit;
  if (figure.target.empty()) return line + " (no target)";
  return line + " (target " + figure.target + ") " + (figure.ok ? "ok" : "MISSED");
}

// Prints the figure and, when KELVANE_BENCH_SUMMARY names a file, appends it there too, so that
// bench.sh can gather the lines of every program into one summary at the end.
inline void ReportFigure(const Figure& figure) {
  const std::string line = FormatFigure(figure);
  std::printf("%s\n", line.c_str());
  std::fflush(stdout);
  if (const char* path = std::getenv("KELVANE_BENCH_SUMMARY"); path && *path) {
    if (std::FILE* file = std::fopen(path, "a")) {
      std::fprintf(file, "%s\n", line.c_str());
      std::fclose(file);
    }
  }
}

}  // namespace kelvane::bench
