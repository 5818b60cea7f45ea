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
