#include "Fonts.h"

#include "Unicode.h"

#include <cwchar>
#include <utility>

namespace Brisvane {
namespace {

// The TrueType twin of "MS Sans Serif", on every Windows since 2000; Wine
// maps it to Liberation Sans. Asking for TrueType keeps the stand-in
// scalable wherever it is missing. (Not Tahoma: Wine's bold Tahoma draws
// regular strokes.)
constexpr wchar_t ScalableFace[] = L"Microsoft Sans Serif";

FontHandle CreateFontOf(const wchar_t* face, int pixels, const FontDescription& font, BYTE precision)
{
    LOGFONTW logical{};
    logical.lfHeight = -pixels;  // the character height, without the leading
    logical.lfWeight = font.Weight;
    logical.lfCharSet = static_cast<BYTE>(font.CharSet);
    logical.lfOutPrecision = precision;
    logical.lfPitchAndFamily = VARIABLE_PITCH | FF_SWISS;
    std::wcsncpy(logical.lfFaceName, face, LF_FACESIZE - 1);
    return FontHandle(::CreateFontIndirectW(&logical));
}

// Whether the font that `font` maps to has that character height and at
// least that weight of its own. A bitmap face's bold is GDI's simulation
// (its overhang is the pixel the strokes are smeared by), which Wine does
// not draw at every size.
bool GivesSizeAndWeight(HFONT font, int pixels, int weight)
{
    const ScreenDcHandle screen(::GetDC(nullptr));
    if (screen == nullptr)
        return false;
    const Selection selected(screen.get(), font);
    TEXTMETRICW metrics{};
    const bool measured = selected && ::GetTextMetricsW(screen.get(), &metrics);
    const bool simulated = (metrics.tmPitchAndFamily & TMPF_VECTOR) == 0 && metrics.tmOverhang > 0;
    return measured && metrics.tmHeight - metrics.tmInternalLeading == pixels && metrics.tmWeight >= weight &&
           !simulated;
}

// One of the system's fonts at `dpi`.
FontHandle CreateSystemFont(LOGFONTW NONCLIENTMETRICSW::*which, UINT dpi)
{
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    if (!::SystemParametersInfoForDpi(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0, dpi))
        return FontHandle(static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT)));
    return FontHandle(::CreateFontIndirectW(&(metrics.*which)));
}

}  // namespace

FontHandle CreateWindowFont(UINT dpi)
{
    return CreateSystemFont(&NONCLIENTMETRICSW::lfMessageFont, dpi);
}

FontHandle CreateTooltipFont(UINT dpi)
{
    return CreateSystemFont(&NONCLIENTMETRICSW::lfStatusFont, dpi);
}

FontHandle CreateDescribedFont(const FontDescription& font, UINT dpi)
{
    const int pixels = PointsToPixels(font.Hundredths, static_cast<int>(dpi));
    FontHandle described = CreateFontOf(Utf16FromUtf8<wchar_t>(font.Face).c_str(), pixels, font, OUT_DEFAULT_PRECIS);
    if (described != nullptr && GivesSizeAndWeight(described.get(), pixels, font.Weight))
        return described;
    FontHandle scalable = CreateFontOf(ScalableFace, pixels, font, OUT_TT_ONLY_PRECIS);
    return scalable != nullptr ? std::move(scalable) : std::move(described);
}

}  // namespace Brisvane
