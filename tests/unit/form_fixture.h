#pragma once

#include <gtest/gtest.h>

#include "app/form1.h"
#include "app/form1_design.h"
#include "platform/headless/headless_forms.h"

namespace tolvane_test {

using platform::Ctl;

// The window started on the headless platform, with the clock at a known time.
class FormTest : public ::testing::Test {
 protected:
  FormTest() {
    ui.setClock({.year = 2026, .month = 3, .day = 14, .hour = 7, .minute = 29, .second = 55});
    ui.start(form);
    // The clock ticks on each second's boundary and looks again just after a whole
    // minute's; counting from past that look, a whole number of seconds ends on both.
    ui.advance(platform::kZoneSettleMs);
  }

  platform::headless::HeadlessForms ui{app::form1Design()};
  app::Form1 form{ui, ui};
};

}  // namespace tolvane_test
