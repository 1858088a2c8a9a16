#pragma once

#include <string>

#include "platform/system_services.h"

namespace platform::win32 {

// What PlaySound falls back to when a name does not play: the ".Default" application event
// (HKCU\AppEvents\Schemes\Apps\.Default\.Default\.Current), or win.ini's [Sounds] Default.
DefaultSound configuredDefaultSound();

// Whether `path` opens for reading and begins as a RIFF WAVE file. A name without a folder is
// looked for as PlaySound looks for it.
bool isReadableWave(const std::wstring& path);

}  // namespace platform::win32
