#include "platform/color.h"
#include "platform/rounding.h"

#include <gtest/gtest.h>

namespace {

TEST(Color, RedInTheLowestByte)
{
    EXPECT_EQ(ToQColor(clRed), QColor(255, 0, 0));
    EXPECT_EQ(ToQColor(clBlue), QColor(0, 0, 255));
    EXPECT_EQ(ToQColor(clMaroon), QColor(128, 0, 0));
    EXPECT_EQ(ToQColor(clMoneyGreen), QColor(0xC0, 0xDC, 0xC0));
    EXPECT_EQ(FromQColor(QColor(1, 2, 3)), 0x030201u);
}

TEST(Color, SystemColoursResolve)
{
    EXPECT_EQ(ToQColor(clBtnHighlight), QColor(Qt::white));
    EXPECT_EQ(ColorToRGB(clBtnFace), 0xF0F0F0u);
    EXPECT_NE(ToQColor(clBtnShadow), ToQColor(clBtnFace));
}

TEST(Rounding, TiesToEvenAndTruncation)
{
    const struct
    {
        double x;
        std::int64_t round, trunc;
    } cases[] = {{0.5, 0, 0},    {1.5, 2, 1}, {2.5, 2, 2},   {-0.5, 0, 0},
                 {-1.5, -2, -1}, {2.6, 3, 2}, {-2.6, -3, -2}};
    for (const auto &c : cases) {
        EXPECT_EQ(Round(c.x), c.round) << c.x;
        EXPECT_EQ(Trunc(c.x), c.trunc) << c.x;
    }
    EXPECT_EQ(-7 / 2, -3); // div truncates toward zero, as C++ does
}

} // namespace
