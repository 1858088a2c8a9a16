#include "platform/painted_colour.h"

#include <gtest/gtest.h>

#include <array>
#include <vector>

#include "app/form1_design.h"

namespace {

using platform::Colour;
using platform::ColourUse;
using platform::ControlColours;
using platform::ControlDesign;
using platform::Ctl;
using platform::kDefaultColour;
using platform::Kind;
using platform::paintedColour;

struct ColourCase {
  Colour colour;
  ColourUse use;
  Colour painted;
};

TEST(PaintedColour, DefaultIsTheButtonFaceBehindAndTheButtonTextInFront) {
  const ColourCase cases[] = {
      {kDefaultColour, ColourUse::Background, platform::kButtonFace},
      {kDefaultColour, ColourUse::Text, platform::kButtonText},
      {platform::kHighlightText, ColourUse::Background, platform::kHighlightText},
      {platform::kWindowText, ColourUse::Text, platform::kWindowText},
      {0x00336699, ColourUse::Background, 0x00336699},
      {0x00FFFFFF, ColourUse::Text, 0x00FFFFFF},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(paintedColour(c.colour, c.use), c.painted) << std::hex << c.colour;
  }
  EXPECT_EQ(platform::systemColourIndex(platform::kButtonFace), 15);
  EXPECT_EQ(platform::systemColourIndex(platform::kButtonText), 18);
  EXPECT_FALSE(platform::isSystemColour(0x00FFFFFF));  // white, as red, green and blue
}

constexpr Colour kRed = 0x000000FF;
constexpr Colour kBlue = 0x00FF0000;
constexpr std::array kControls{
    ControlDesign{.name = Ctl::Fr2, .kind = Kind::Frame, .backColour = kRed},
    ControlDesign{.name = Ctl::Text1,
                  .kind = Kind::TextBox,
                  .container = Ctl::Fr2,
                  .backColour = kBlue,
                  .foreColour = kRed},
    ControlDesign{.name = Ctl::Label1, .kind = Kind::Label, .container = Ctl::Fr2},
    ControlDesign{.name = Ctl::Label2,
                  .kind = Kind::Label,
                  .container = Ctl::Fr2,
                  .backColour = kBlue,
                  .foreColour = kRed,
                  .opaque = true},
    ControlDesign{.name = Ctl::Label3, .kind = Kind::Label, .backColour = kBlue},
    ControlDesign{.name = Ctl::Option1, .kind = Kind::OptionButton, .container = Ctl::Fr2},
    ControlDesign{
        .name = Ctl::Command1, .kind = Kind::Button, .container = Ctl::Fr2, .backColour = kBlue},
};
constexpr platform::FormDesign kWindow{
    .form = {.name = Ctl::Form1, .kind = Kind::Form, .foreColour = kBlue}, .controls = kControls};

struct ControlCase {
  Ctl control;
  ControlColours painted;
};

TEST(ControlColours, ByKindOpaquenessAndContainer) {
  using platform::kButtonFace;
  using platform::kButtonText;
  const ControlCase cases[] = {
      {Ctl::Form1, {kButtonFace, kBlue}},
      {Ctl::Fr2, {kRed, kButtonText}},
      // A text box looks editable whatever the design says.
      {Ctl::Text1, {platform::kWindowBackground, platform::kWindowText}},
      // A transparent label shows its container, default text is the button text.
      {Ctl::Label1, {kRed, kButtonText}},
      {Ctl::Label2, {kBlue, kRed}},
      {Ctl::Label3, {kButtonFace, kButtonText}},
      // An option button paints its own background, a push button its container's.
      {Ctl::Option1, {kButtonFace, kButtonText}},
      {Ctl::Command1, {kRed, kButtonText}},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(controlColours(kWindow, c.control), c.painted) << static_cast<int>(c.control);
  }
}

// The system has colour indexes 0 to 30; an index outside them paints black.
TEST(ControlColours, EveryColourOfTheWindowIsOneTheSystemKnows) {
  const auto& design = app::form1Design();
  std::vector<Ctl> all{Ctl::Form1};
  for (const auto& c : design.controls) all.push_back(c.name);
  for (const Ctl c : all) {
    const ControlColours painted = controlColours(design, c);
    for (const Colour colour : {painted.background, painted.text}) {
      if (platform::isSystemColour(colour)) {
        EXPECT_LE(colour, platform::systemColour(30)) << static_cast<int>(c);
      }
    }
  }
}

}  // namespace
