#include "app/form1.h"

namespace app {

void Form1::wavha_Click() {
  ui_.msgBox(L"Tone format *.wav can be found on google", platform::kMbIconInformation, L"wav?");
}

void Form1::showAbout() {
  ui_.msgBox(L"Pralvik by Ferrowin\r\nhttps://ferrowin.example", platform::kMbIconInformation,
             L"About");
}

// The alarm only runs while the program runs, so every way out asks first.
platform::Bool16 Form1::ConfirmExit(std::wstring_view title) {
  const int answer = ui_.msgBox(L"Are you sure? but alarm not running\r\nMinimaze to running alarm",
                                platform::kMbYesNo | platform::kMbIconQuestion, title);
  return answer == platform::kIdYes ? platform::kFalse16 : platform::kTrue16;
}

void Form1::queryUnload(platform::Bool16& cancel, platform::UnloadMode /*mode*/) {
  cancel = ConfirmExit(L"Exit?");
}

}  // namespace app
