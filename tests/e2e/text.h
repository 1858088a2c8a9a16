// Text between the UTF-16 of Win32 and the UTF-8 the driver prints.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

std::string utf8(std::wstring_view text);
std::wstring wide(std::string_view utf8);

}  // namespace e2e
