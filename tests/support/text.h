// Text from the UTF-16 of Win32 into the UTF-8 the driver prints.
#pragma once

#include <string>
#include <string_view>

namespace e2e {

std::string utf8(std::wstring_view text);

}  // namespace e2e
