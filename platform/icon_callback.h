#pragma once

#include <cmath>
#include <cstdint>

namespace platform {

// The notification icon reports its mouse messages as WM_MOUSEMOVE to the
// window, with the icon's id in wParam and the message in lParam. A real mouse
// move can carry the same values over a wide window (button flags in wParam,
// the position in lParam), but only a real move has lParam at the cursor.
constexpr bool isIconCallback(std::uint64_t wParam, std::int64_t lParam, std::uint32_t iconId,
                              int cursorClientX, int cursorClientY) {
  const auto low = static_cast<std::uint16_t>(lParam & 0xFFFF);
  const auto high = static_cast<std::uint16_t>((lParam >> 16) & 0xFFFF);
  const bool atCursor = static_cast<std::int16_t>(low) == cursorClientX &&
                        static_cast<std::int16_t>(high) == cursorClientY;
  return wParam == iconId && high == 0 && !atCursor;
}

// The window hands the icon's mouse message on as the X coordinate, in twips, of a mouse move.
constexpr float iconCallbackX(int mouseMessage, int twipsPerPixel) {
  return static_cast<float>(mouseMessage * twipsPerPixel);
}
inline int iconCallbackMessage(float xTwips, int twipsPerPixel) {
  return static_cast<int>(std::lround(xTwips / static_cast<float>(twipsPerPixel)));
}

}  // namespace platform
