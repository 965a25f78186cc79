// The minimised window's icon sits in the middle of the client area.
#include <gtest/gtest.h>

#include <string>

#include "app/IconPlacement.h"

namespace linkrake {
namespace {

struct PlacementCase {
  const char* name;
  int clientWidth, clientHeight, iconWidth, iconHeight;
  int x, y;
};
void PrintTo(const PlacementCase& c, std::ostream* os) { *os << c.name; }

class IconPlacementTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(IconPlacementTest, CentresTheIcon) {
  const PlacementCase& c = GetParam();
  const QPoint origin = IconOrigin(c.clientWidth, c.clientHeight, c.iconWidth, c.iconHeight);
  EXPECT_EQ(origin.x(), c.x);
  EXPECT_EQ(origin.y(), c.y);
}

INSTANTIATE_TEST_SUITE_P(
    Sizes, IconPlacementTest,
    ::testing::Values(PlacementCase{"EvenRoom", 100, 64, 32, 32, 34, 16},
                      PlacementCase{"OddRoomRoundsUp", 33, 35, 32, 32, 1, 2},
                      PlacementCase{"ExactFit", 32, 32, 32, 32, 0, 0},
                      // -21 / 2 is -10 on signed integers, not -11.
                      PlacementCase{"SmallerThanTheIcon", 10, 11, 32, 32, -10, -10},
                      PlacementCase{"NoRoomAtAll", 0, 0, 32, 32, -15, -15}),
    [](const ::testing::TestParamInfo<PlacementCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace linkrake
