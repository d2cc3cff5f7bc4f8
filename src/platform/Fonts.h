#pragma once

namespace zendra {

// Maps the face names courseware is written for ("ＭＳ 明朝", "MS 明朝", "ＭＳ ゴシック", ...)
// to the metric-compatible IPA faces. Call once, after the application object exists.
void InstallFontSubstitutions();

// Call before the application object is made. It used to raise Qt's glyph cache limit for
// large text, which left such text blank on images; it now leaves the limit as it is.
void PrepareFontCache();

} // namespace zendra
