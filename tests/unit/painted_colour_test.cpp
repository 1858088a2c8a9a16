#include "platform/painted_colour.h"

#include <gtest/gtest.h>

#include <vector>

#include "app/form1_design.h"

namespace {

using platform::Colour;
using platform::ColourUse;
using platform::kDefaultColour;
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

// The system has colour indexes 0 to 30; an index outside them paints black.
TEST(PaintedColour, EveryColourOfTheWindowIsOneTheSystemKnows) {
  const auto& design = app::form1Design();
  std::vector<const platform::ControlDesign*> all{&design.form};
  for (const auto& c : design.controls) all.push_back(&c);
  for (const auto* c : all) {
    for (const Colour painted : {paintedColour(c->backColour, ColourUse::Background),
                                 paintedColour(c->foreColour, ColourUse::Text)}) {
      if (platform::isSystemColour(painted)) {
        EXPECT_LE(painted, platform::systemColour(30)) << static_cast<int>(c->name);
      }
    }
  }
}

}  // namespace
