#pragma once

namespace platform {

inline constexpr int kTwipsPerInch = 1440;

// Rounded to the nearest pixel, as the screen's dots per inch give it.
constexpr int twipsToPixels(int twips, int dotsPerInch) {
  const long long scaled = static_cast<long long>(twips) * dotsPerInch;
  const long long half = kTwipsPerInch / 2;
  return static_cast<int>(scaled >= 0 ? (scaled + half) / kTwipsPerInch
                                      : -((-scaled + half) / kTwipsPerInch));
}

// 15 at 96 dots per inch.
constexpr int twipsPerPixel(int dotsPerInch) {
  return dotsPerInch > 0 ? kTwipsPerInch / dotsPerInch : 15;
}

}  // namespace platform
