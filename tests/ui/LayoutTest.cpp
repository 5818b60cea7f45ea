#include "Layout.h"

#include <gtest/gtest.h>

using namespace Brisvane;

TEST(Layout, GivesThePixelsOfTheStoredTwipsAtEveryResolution)
{
    // At 96 DPI, 15 twips to the pixel, every edge is exact.
    struct Case {
        const char* name;
        PixelRect pixels;
    };
    for (std::size_t i = 0; const Case c : {
                                Case{"EpochDate", {80, 8, 145, 19}},
                                Case{"LocalDate", {80, 40, 145, 19}},
                                Case{"Label1", {8, 16, 73, 17}},
                                Case{"Label2", {8, 40, 73, 17}},
                                Case{"Command1", {240, 8, 57, 25}},
                                Case{"Zone", {232, 40, 65, 19}},
                            }) {
        EXPECT_STREQ(BrisvanefrmControls[i].Name, c.name);
        EXPECT_EQ(PixelsOf(BrisvanefrmControls[i++], 96), c.pixels) << c.name;
    }
    EXPECT_EQ(TwipsToPixels(BrisvanefrmLayout.ClientWidth, 96), 309);
    EXPECT_EQ(TwipsToPixels(BrisvanefrmLayout.ClientHeight, 96), 89);

    // At other resolutions edges that meet in twips still meet: the right
    // edges of Command1 and Zone, and each label reaching into its box.
    for (const int dpi : {96, 120, 144, 168, 192, 240}) {
        const PixelRect command = PixelsOf(BrisvanefrmControls[4], dpi);
        const PixelRect zone = PixelsOf(BrisvanefrmControls[5], dpi);
        EXPECT_EQ(command.Left + command.Width, zone.Left + zone.Width) << dpi;
        const PixelRect label = PixelsOf(BrisvanefrmControls[3], dpi);
        const PixelRect box = PixelsOf(BrisvanefrmControls[1], dpi);
        EXPECT_EQ(label.Top, box.Top) << dpi;
        EXPECT_GE(label.Left + label.Width, box.Left) << dpi;
        EXPECT_EQ(TwipsToPixels(BrisvanefrmLayout.ClientWidth, dpi), (4635 * dpi + 720) / 1440) << dpi;
    }
}
