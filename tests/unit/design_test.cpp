#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <string>
#include <vector>

#include "app/form1_design.h"
#include "tests/unit/design_check.h"

namespace {

using platform::ControlDesign;
using platform::Ctl;
using platform::DesignFault;

using Controls = std::vector<ControlDesign>;

ControlDesign& entry(Controls& controls, Ctl name) {
  return *std::ranges::find(controls, name, &ControlDesign::name);
}

struct FaultCase {
  const char* what;
  std::function<void(Controls&)> change;
  DesignFault expected;
};

// Each case breaks one rule in an otherwise sound window and expects the check to say which.
TEST(DesignCheck, FindsEachKindOfFault) {
  const FaultCase cases[] = {
      {"a name declared twice", [](Controls& c) { entry(c, Ctl::Label7).name = Ctl::Text3; },
       DesignFault::ControlRepeated},
      {"a name left out",
       [](Controls& c) { std::erase_if(c, [](auto& d) { return d.name == Ctl::Label7; }); },
       DesignFault::ControlMissing},
      {"a control before its frame",
       [](Controls& c) {
         const auto frame = std::ranges::find(c, Ctl::Frame1, &ControlDesign::name);
         const auto text = std::ranges::find(c, Ctl::Text5, &ControlDesign::name);
         std::iter_swap(frame, text);
       },
       DesignFault::ContainerNotBefore},
      {"a tab index used twice", [](Controls& c) { entry(c, Ctl::Label2).tabIndex = 14; },
       DesignFault::TabIndexRepeated},
      {"a gap in the tab indexes", [](Controls& c) { entry(c, Ctl::Label9).tabIndex = 30; },
       DesignFault::TabIndexGap},
      {"a button past its frame's edge",
       [](Controls& c) { entry(c, Ctl::Command3).rect.left = 3500; },
       DesignFault::OutsideContainer},
      {"a text box above its frame's top", [](Controls& c) { entry(c, Ctl::Text1).rect.top = -10; },
       DesignFault::OutsideContainer},
      {"two buttons on top of each other",
       [](Controls& c) { entry(c, Ctl::Command1).rect.top = 700; }, DesignFault::FocusableOverlap},
      {"a text box without a name", [](Controls& c) { entry(c, Ctl::Text4).accessibleName = {}; },
       DesignFault::FieldUnnamed},
      {"two text boxes with one name",
       [](Controls& c) {
         entry(c, Ctl::Text5).accessibleName = entry(c, Ctl::Text2).accessibleName;
       },
       DesignFault::FieldNameRepeated},
  };
  const platform::FormDesign& sound = app::form1Design();
  ASSERT_EQ(platform::findDesignFault(sound), DesignFault::None);
  for (const auto& fault : cases) {
    Controls controls(sound.controls.begin(), sound.controls.end());
    fault.change(controls);
    platform::FormDesign broken = sound;
    broken.controls = controls;
    EXPECT_EQ(platform::findDesignFault(broken), fault.expected) << fault.what;
  }
}

// Labels may overlap what they caption; only controls that take the focus must not.
TEST(DesignCheck, LabelsMayLieOverControlsThatTakeTheFocus) {
  Controls controls(app::form1Design().controls.begin(), app::form1Design().controls.end());
  entry(controls, Ctl::Label5).rect = entry(controls, Ctl::Text1).rect;
  platform::FormDesign design = app::form1Design();
  design.controls = controls;
  EXPECT_EQ(platform::findDesignFault(design), DesignFault::None);
}

// A screen reader tells the fields apart by their names alone.
TEST(Accessibility, EveryTextBoxHasANameOfItsOwn) {
  std::set<std::wstring> names;
  std::size_t textBoxes = 0;
  for (const auto& d : app::form1Design().controls) {
    if (d.kind != platform::Kind::TextBox) continue;
    ++textBoxes;
    const std::wstring name(d.accessibleName);
    EXPECT_FALSE(name.empty()) << std::wstring(platform::controlName(d.name));
    names.insert(name);
  }
  EXPECT_GT(textBoxes, 1U);
  EXPECT_EQ(names.size(), textBoxes);
}

}  // namespace
