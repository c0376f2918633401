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
  // Indexed by the model byte: {family, category}.
  static constexpr ModelInfo kModels[] = {
      /* model 0 */ {1, 1},  // family 2 with protocol subversion 4, below
      /* model 1 */ {3, 1},
      /* model 2 */ {4, 2},
      /* model 3 */ {5, 3},
      /* model 4 */ {6, 1},
      /* model 5 */ {7, 4},
      /* model 6 */ {9, 5},
      /* model 7 */ {10, 6},
      /* model 8 */ {12, 1},
      /* model 9 */ {13, 7},
      /* model 10 */ {15, 8},
      /* model 11 */ {8, 4},
      /* model 12 */ {14, 7},
      /* model 13 */ {0, 0},
      /* model 14 */ {11, 6},
  };
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
