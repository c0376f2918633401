#pragma once
// A figure as tools/benchmark reads it: one "name: value" line on standard output.

#include <cstdio>
#include <string>

namespace orn::benchmarks {

inline void Figure(const std::string& name, double value, int decimals = 3) {
  std::printf("%s: %.*f\n", name.c_str(), decimals, value);
}

// Says what could not be measured; returns false.
inline bool Fail(const char* what) {
  std::fprintf(stderr, "orn_speed: %s failed\n", what);
  return false;
}

}  // namespace orn::benchmarks
