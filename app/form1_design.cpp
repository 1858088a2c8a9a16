#include "app/form1_design.h"

#include <array>
#include <string_view>

namespace app {
namespace {

using namespace platform;

constexpr std::array<std::wstring_view, 2> kTabs{L"Setting Alarm", L"Setting Tone"};

// Within each container, top-most first; the tab strip lies at the bottom.
// clang-format off
constexpr std::array kControls{
    ControlDesign{.name = Ctl::Tmrballoon, .kind = Kind::Timer, .interval = 6000},
    ControlDesign{.name = Ctl::Fr2, .kind = Kind::Frame, .rect = {120, 360, 4040, 1815},
                  .caption = L"Setting Messages and Alarm", .tabIndex = 7, .font = Font::Verdana,
                  .backColour = kHighlightText},
    ControlDesign{.name = Ctl::Text1, .kind = Kind::TextBox, .container = Ctl::Fr2,
                  .rect = {2950, 480, 375, 350}, .tabIndex = 14, .font = Font::Verdana,
                  .align = Align::Centre, .accessibleName = L"hour"},
    ControlDesign{.name = Ctl::Timer1, .kind = Kind::Timer, .container = Ctl::Fr2, .interval = 1000,
                  .clockAligned = true},
    ControlDesign{.name = Ctl::Text2, .kind = Kind::TextBox, .container = Ctl::Fr2,
                  .rect = {2950, 900, 375, 360}, .tabIndex = 13, .font = Font::Verdana,
                  .align = Align::Centre, .maxLength = 2, .accessibleName = L"minute"},
    ControlDesign{.name = Ctl::Command1, .kind = Kind::Button, .container = Ctl::Fr2,
                  .rect = {2230, 1080, 615, 555}, .caption = L"&Ok", .tabIndex = 12},
    ControlDesign{.name = Ctl::Command2, .kind = Kind::Button, .container = Ctl::Fr2,
                  .rect = {2230, 480, 615, 555}, .caption = L"&Reset", .tabIndex = 11},
    ControlDesign{.name = Ctl::Frame1, .kind = Kind::Frame, .container = Ctl::Fr2,
                  .rect = {120, 240, 2055, 1215}, .tabIndex = 9, .backColour = kHighlightText},
    ControlDesign{.name = Ctl::Text5, .kind = Kind::TextBox, .container = Ctl::Frame1,
                  .rect = {120, 240, 1815, 855}, .tabIndex = 10, .multiLine = true,
                  .accessibleName = L"Message"},
    ControlDesign{.name = Ctl::Text3, .kind = Kind::TextBox, .container = Ctl::Fr2,
                  .rect = {2950, 1320, 375, 345}, .tabIndex = 8, .font = Font::Verdana,
                  .align = Align::Centre, .maxLength = 2, .accessibleName = L"second"},
    ControlDesign{.name = Ctl::CommonDialog1, .kind = Kind::OpenDialog, .container = Ctl::Fr2},
    ControlDesign{.name = Ctl::Label1, .kind = Kind::Label, .container = Ctl::Fr2,
                  .rect = {2520, 200, 1335, 225}, .caption = L"clock", .tabIndex = 21,
                  .font = Font::Verdana, .backColour = kWindowBackground, .foreColour = kWindowText,
                  .opaque = true, .border = true, .align = Align::Centre},
    ControlDesign{.name = Ctl::Label2, .kind = Kind::Label, .container = Ctl::Fr2,
                  .rect = {3435, 1305, 525, 195}, .caption = L"second", .tabIndex = 20,
                  .autoSize = true},
    ControlDesign{.name = Ctl::Label3, .kind = Kind::Label, .container = Ctl::Fr2,
                  .rect = {3435, 885, 465, 195}, .caption = L"minute", .tabIndex = 19,
                  .autoSize = true},
    ControlDesign{.name = Ctl::Label4, .kind = Kind::Label, .container = Ctl::Fr2,
                  .rect = {1035, 1490, 1080, 225}, .tabIndex = 18, .font = Font::Verdana,
                  .backColour = kWindowBackground, .foreColour = kWindowText, .opaque = true,
                  .border = true, .align = Align::Centre},
    ControlDesign{.name = Ctl::Label5, .kind = Kind::Label, .container = Ctl::Fr2,
                  .rect = {3435, 480, 315, 195}, .caption = L"hour", .tabIndex = 17,
                  .autoSize = true},
    ControlDesign{.name = Ctl::Label6, .kind = Kind::Label, .container = Ctl::Fr2,
                  .rect = {2710, 120, 45, 195}, .tabIndex = 16, .visible = false, .autoSize = true},
    ControlDesign{.name = Ctl::Label7, .kind = Kind::Label, .container = Ctl::Fr2,
                  .rect = {240, 1500, 735, 255}, .caption = L"Alarm at", .tabIndex = 15,
                  .font = Font::Verdana},
    ControlDesign{.name = Ctl::Option1, .kind = Kind::OptionButton, .rect = {360, 840, 975, 255},
                  .caption = L"Default", .tabIndex = 6, .backColour = kHighlightText},
    ControlDesign{.name = Ctl::Option2, .kind = Kind::OptionButton, .rect = {360, 1200, 1335, 255},
                  .caption = L"Chose tone", .tabIndex = 5, .backColour = kHighlightText},
    ControlDesign{.name = Ctl::Fr3, .kind = Kind::Frame, .rect = {120, 360, 4040, 1815},
                  .caption = L"Setting Alarm Tone", .tabIndex = 1, .font = Font::Verdana,
                  .backColour = kHighlightText, .foreColour = kButtonFace},
    ControlDesign{.name = Ctl::Command3, .kind = Kind::Button, .container = Ctl::Fr3,
                  .rect = {360, 1200, 975, 300}, .caption = L"Chose tone", .tabIndex = 3},
    ControlDesign{.name = Ctl::Text4, .kind = Kind::TextBox, .container = Ctl::Fr3,
                  .rect = {1440, 1200, 2295, 285}, .tabIndex = 2, .accessibleName = L"Tone file"},
    ControlDesign{.name = Ctl::Label9, .kind = Kind::Label, .container = Ctl::Fr3,
                  .rect = {1800, 720, 1935, 495}, .caption = L"Chose tone format wav only.",
                  .tabIndex = 22},
    ControlDesign{.name = Ctl::Label8, .kind = Kind::Label, .container = Ctl::Fr3,
                  .rect = {1800, 240, 1935, 495},
                  .caption = L"In the default option, the tone just \"plung!\".", .tabIndex = 4},
    ControlDesign{.name = Ctl::TabStrip1, .kind = Kind::TabStrip, .rect = {0, 0, 4335, 2295},
                  .tabIndex = 0, .tabs = kTabs},
    ControlDesign{.name = Ctl::mnu, .kind = Kind::Menu, .caption = L"Menu"},
    ControlDesign{.name = Ctl::wavha, .kind = Kind::MenuItem, .container = Ctl::mnu,
                  .caption = L"Tone .wav ?"},
    ControlDesign{.name = Ctl::mnuabout, .kind = Kind::MenuItem, .container = Ctl::mnu,
                  .caption = L"About"},
    // Never in the menu bar: it is the notification icon's popup.
    ControlDesign{.name = Ctl::mnutray, .kind = Kind::Menu, .caption = L"mnu", .visible = false},
    ControlDesign{.name = Ctl::show, .kind = Kind::MenuItem, .container = Ctl::mnutray,
                  .caption = L"Show"},
    ControlDesign{.name = Ctl::about, .kind = Kind::MenuItem, .container = Ctl::mnutray,
                  .caption = L"About"},
    ControlDesign{.name = Ctl::exit, .kind = Kind::MenuItem, .container = Ctl::mnutray,
                  .caption = L"Exit"},
};

constexpr platform::FormDesign kForm1{
    .form = {.name = Ctl::Form1, .kind = Kind::Form, .caption = L"Tolvane", .backColour = kButtonFace},
    .clientWidth = 4260, .clientHeight = 2220, .sizable = true, .maxButton = false, .minButton = true,
    .controls = kControls,
};
// clang-format on

}  // namespace

const platform::FormDesign& form1Design() { return kForm1; }

}  // namespace app
