// Reading controls of another process whose messages point at memory (tooltips, tab strips): the
// memory is lent in the control's process.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

namespace e2e {

// A tool of a tooltip control (class tooltips_class32).
struct TooltipTool {
  HWND window = nullptr;  // the window the tool belongs to
  UINT_PTR id = 0;
  std::wstring text;
};
// The tools of a tooltip control of any process, with their texts. Another process cannot read
// them with WM_GETTEXT, so TTM_ENUMTOOLSW and TTM_GETTEXTW run on memory lent in the control's
// process, which must have the driver's bitness. std::nullopt if the control is gone, does not
// answer or cannot be read.
std::optional<std::vector<TooltipTool>> tooltipTools(HWND tooltip);

// What may be the title of a tooltip control of any process (a balloon's title): the one title
// TTM_GETTITLE reads where the control answers it, else every text the control's state points at
// (Wine's control answers no TTM_GETTITLE). The process must have the driver's bitness; empty
// if nothing could be read.
std::vector<std::wstring> tooltipTitles(HWND tooltip);

// The caption of tab `index` (from 0) of a tab strip of any process, 32-bit or 64-bit: the item
// is lent in the strip's process, laid out for its bitness.
std::optional<std::wstring> tabText(HWND tabs, int index);
// The rectangle of tab `index` in the strip's client coordinates.
std::optional<RECT> tabRect(HWND tabs, int index);

}  // namespace e2e
