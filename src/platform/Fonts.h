#pragma once

namespace zendra {

// Maps the face names courseware is written for ("ＭＳ 明朝", "MS 明朝", "ＭＳ ゴシック", ...)
// to the metric-compatible IPA faces. Call once, after the application object exists.
void InstallFontSubstitutions();

} // namespace zendra
