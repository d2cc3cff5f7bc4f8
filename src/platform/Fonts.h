#pragma once

namespace zendra {

// Maps the face names courseware is written for ("ＭＳ 明朝", "MS 明朝", "ＭＳ ゴシック", ...)
// to the metric-compatible IPA faces. Call once, after the application object exists.
void InstallFontSubstitutions();

// Call before the application object is made: lets Qt cache the glyphs of large text, such
// as body text on a 600 dpi page, instead of rasterising every character anew.
void PrepareFontCache();

} // namespace zendra
