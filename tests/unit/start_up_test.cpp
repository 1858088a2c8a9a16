#include "tests/unit/form_fixture.h"

namespace tolvane_test {
namespace {

TEST_F(FormTest, CommonControlsAreInitialisedBeforeAnyControlExists) {
  EXPECT_EQ(ui.initCommonControlsCalls, 1);
  EXPECT_FALSE(ui.controlsExistedAtInitCommonControls);
}

}  // namespace
}  // namespace tolvane_test
