#pragma once
// What the model byte of the type answer means: the model family (which print command and
// text fields the register takes) and the model category (line width and capabilities).

#include <cstdint>

namespace orn::device {

struct ModelInfo {
  int family;
  int category;
};

inline ModelInfo LookUpModel(uint8_t model, uint8_t protocolSubversion) {
  // clang-format off
  static constexpr ModelInfo kModels[] = {
    {1, 1}, {3, 1}, {4, 2}, {5, 3}, {6, 1}, {7, 4}, {9, 5}, {10, 6},
    {12, 1}, {13, 7}, {15, 8}, {8, 4}, {14, 7}, {0, 0}, {11, 6},
  };
  // clang-format on
  if (model >= sizeof kModels / sizeof kModels[0]) return {0, 0};
  if (model == 0 && protocolSubversion == 4) return {2, 1};
  return kModels[model];
}

// Characters per print line of a model category.
inline int LineWidthForCategory(int category) {
  switch (category) {
    case 5:
      return 32;
    case 7:
      return 48;
    default:
      return 36;
  }
}

}  // namespace orn::device
