// Every register model the driver knows, claimed as a shop would: the header and trailer
// lines the application may set, and the row of the register's text table they are read
// from, follow the model's family.

#include <cstdio>

#include "unit/service/ServiceFixture.h"

namespace orn::testing {
namespace {

constexpr int32_t kPidxNumHeaderLines = 16017;
constexpr int32_t kPidxNumTrailerLines = 16018;

struct ModelTextRows {
  uint8_t model;
  uint8_t protocolSubversion;
  int family;
  int32_t headerLines;
  int32_t trailerLines;
  int firstHeaderRow;  // 0: no header read
};

class RegisterModelsTest : public ServiceFixture,
                           public ::testing::WithParamInterface<ModelTextRows> {
 protected:
  // The request that reads the text of a row of table 4.
  static std::string ReadRow(int row) {
    char request[40];
    std::snprintf(request, sizeof request, "1F 1E 00 00 00 04 %.2X 00 01", unsigned(row));
    return request;
  }
};

TEST_P(RegisterModelsTest, TheHeaderAndTrailerFollowTheFamily) {
  const ModelTextRows& expected = GetParam();
  simulator::SimulatorConfig config;
  config.model = simulator::ModelPreset(expected.model, expected.protocolSubversion);
  config.model.printer.textRows = 30;  // room for every family's rows
  config.model.printer.headerFirstRow = uint16_t(expected.firstHeaderRow);
  Attach(config, kPort);
  OpenAndClaim();
  EXPECT_EQ(service_.Device().ModelFamily(), expected.family);
  EXPECT_EQ(Number(kPidxNumHeaderLines), expected.headerLines);
  EXPECT_EQ(Number(kPidxNumTrailerLines), expected.trailerLines);
  if (expected.firstHeaderRow != 0) {
    // The trailer's rows from 1 on, the header's from its first row: each read once, and
    // no other row.
    for (int row = 1; row <= 30; ++row) {
      const bool trailer = row <= expected.trailerLines;
      const bool header =
          row >= expected.firstHeaderRow && row < expected.firstHeaderRow + expected.headerLines;
      EXPECT_EQ(RequestsLogged(ReadRow(row).c_str()), trailer || header ? 1 : 0) << row;
    }
  } else {
    EXPECT_EQ(RequestsLogged("1F"), 0);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Families, RegisterModelsTest,
    ::testing::Values(ModelTextRows{0, 0, 1, 3, 3, 4}, ModelTextRows{0, 4, 2, 4, 3, 6},
                      ModelTextRows{1, 0, 3, 4, 3, 6}, ModelTextRows{2, 0, 4, 5, 4, 6},
                      ModelTextRows{3, 0, 5, 3, 3, 4}, ModelTextRows{4, 0, 6, 4, 3, 6},
                      ModelTextRows{5, 0, 7, 11, 3, 4}, ModelTextRows{11, 0, 8, 11, 3, 4},
                      ModelTextRows{6, 0, 9, 6, 3, 4}, ModelTextRows{8, 0, 12, 4, 3, 6},
                      ModelTextRows{9, 0, 13, 5, 3, 10}, ModelTextRows{12, 0, 14, 5, 3, 10},
                      ModelTextRows{10, 0, 15, 0, 0, 0}),
    [](const auto& info) { return "Family" + std::to_string(info.param.family); });

}  // namespace
}  // namespace orn::testing
