// The stored description's conversion to pixels, as both views use it.

#include "BrisvanefrmLayout.h"

#include <gtest/gtest.h>

#include <array>

using namespace Brisvane;

namespace {

// Left, right, top and bottom of a rectangle, in its own units.
std::array<int, 4> Edges(int left, int top, int width, int height)
{
    return {left, left + width, top, top + height};
}

bool Overlap(const std::array<int, 4>& a, const std::array<int, 4>& b)
{
    return a[0] < b[1] && b[0] < a[1] && a[2] < b[3] && b[2] < a[3];
}

}  // namespace

TEST(BrisvanefrmLayout, PixelsKeepWhatTheTwipsSayAtEveryResolution)
{
    for (const int dpi : {96, 120, 144, 168, 192, 240}) {
        for (const ControlDescription& a : BrisvanefrmControls) {
            const auto twipsA = Edges(a.Left, a.Top, a.Width, a.Height);
            const PixelRect pixelsA = PixelsOf(a, dpi);
            const auto edgesA = Edges(pixelsA.Left, pixelsA.Top, pixelsA.Width, pixelsA.Height);
            if (dpi == 96) {  // 15 twips to the pixel: every edge exact
                for (std::size_t e = 0; e < 4; ++e)
                    EXPECT_EQ(edgesA[e] * 15, twipsA[e]) << a.Name;
            }
            for (const ControlDescription& b : BrisvanefrmControls) {
                const PixelRect pixelsB = PixelsOf(b, dpi);
                const auto twipsB = Edges(b.Left, b.Top, b.Width, b.Height);
                const auto edgesB = Edges(pixelsB.Left, pixelsB.Top, pixelsB.Width, pixelsB.Height);
                // Edges that line up in twips (Command1's and Zone's right
                // edges, a label's top and its box's) line up in pixels.
                for (std::size_t e = 0; e < 4; ++e) {
                    if (twipsA[e] == twipsB[e]) {
                        EXPECT_EQ(edgesA[e], edgesB[e]) << a.Name << " and " << b.Name << " at " << dpi;
                    }
                }
                // Controls that overlap in twips (a label reaching into its
                // box) overlap in pixels, and no others.
                if (&a != &b) {
                    EXPECT_EQ(Overlap(edgesA, edgesB), Overlap(twipsA, twipsB))
                        << a.Name << " and " << b.Name << " at " << dpi;
                }
            }
        }
        // The client area holds every control.
        for (const ControlDescription& control : BrisvanefrmControls) {
            const PixelRect pixels = PixelsOf(control, dpi);
            EXPECT_LE(pixels.Left + pixels.Width, TwipsToPixels(BrisvanefrmWindow.ClientWidth, dpi)) << control.Name;
            EXPECT_LE(pixels.Top + pixels.Height, TwipsToPixels(BrisvanefrmWindow.ClientHeight, dpi)) << control.Name;
        }
    }
}

TEST(BrisvanefrmLayout, HoldsTheFiguresWorkedOutByHand)
{
    // Every control: the twips over 15 at 96 DPI; two also over 10 at 144, where a half pixel
    // rounds up: Command1's right edge, 3600 + 855 = 4455 twips, is 445.5
    // pixels there; Zone's bottom, 600 + 285 = 885, is 88.5.
    struct Case {
        Control control;
        int dpi;
        PixelRect pixels;
    };
    for (const Case& c : {
             Case{Control::EpochDate, 96, {80, 8, 145, 19}},
             Case{Control::LocalDate, 96, {80, 40, 145, 19}},
             Case{Control::Zone, 96, {232, 40, 65, 19}},
             Case{Control::Label1, 96, {8, 16, 73, 17}},
             Case{Control::Label2, 96, {8, 40, 73, 17}},
             Case{Control::Command1, 96, {240, 8, 57, 25}},
             Case{Control::Command1, 144, {360, 12, 86, 38}},
             Case{Control::Zone, 144, {348, 60, 98, 29}},
         }) {
        EXPECT_EQ(PixelsOf(DescriptionOf(c.control), c.dpi), c.pixels)
            << DescriptionOf(c.control).Name << " at " << c.dpi;
    }
    // Both boxes, then both labels, then the button, then the zone to its right.
    constexpr std::array<Control, 6> order = {Control::EpochDate, Control::LocalDate, Control::Label1,
                                              Control::Label2,    Control::Command1,  Control::Zone};
    EXPECT_EQ(InTabOrder(), order);
}
