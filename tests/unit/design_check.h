#pragma once

#include <array>
#include <cstdint>

#include "platform/design.h"

namespace platform {

// What creation, the tab order, the focus and screen readers rely on in a window's design.
enum class DesignFault : std::uint8_t {
  None,
  ControlMissing,  // every name is declared exactly once
  ControlRepeated,
  ContainerNotBefore,  // a container is created before what it holds
  TabIndexRepeated,    // the tab indexes 0 to n-1 are each used once
  TabIndexGap,
  OutsideContainer,   // a focusable control lies inside its container
  FocusableOverlap,   // and overlaps no other focusable control of that container
  FieldUnnamed,       // every text box has a name for screen readers
  FieldNameRepeated,  // and no two text boxes share one
};

namespace design_check_detail {

constexpr std::size_t at(Ctl c) { return static_cast<std::size_t>(index(c)); }

constexpr bool overlap(const Twips& a, const Twips& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

// A tab strip is the page host at the bottom of the z-order: the pages and the
// controls on them lie over it, and it may reach past its container's edge.
constexpr bool placedByRules(const ControlDesign& c) {
  return isFocusableKind(c.kind) && c.kind != Kind::TabStrip;
}

}  // namespace design_check_detail

// The first fault found in `design`, or None. Checked at compile time on the real design.
constexpr DesignFault findDesignFault(const FormDesign& design) {
  using namespace design_check_detail;
  const auto& controls = design.controls;

  std::array<int, kControlCount> seen{};
  std::array<int, kControlCount> tabUses{};
  int tabIndexes = 0;
  for (const auto& c : controls) {
    if (c.name == Ctl::Form1 || ++seen[at(c.name)] > 1) return DesignFault::ControlRepeated;
    if (c.container != Ctl::Form1 && seen[at(c.container)] == 0) {
      return DesignFault::ContainerNotBefore;
    }
    if (c.tabIndex < 0) continue;
    if (c.tabIndex >= kControlCount || ++tabUses[static_cast<std::size_t>(c.tabIndex)] > 1) {
      return DesignFault::TabIndexRepeated;
    }
    ++tabIndexes;
  }
  for (int i = 1; i < kControlCount; ++i) {
    if (seen[static_cast<std::size_t>(i)] == 0) return DesignFault::ControlMissing;
  }
  for (int i = 0; i < tabIndexes; ++i) {
    if (tabUses[static_cast<std::size_t>(i)] == 0) return DesignFault::TabIndexGap;
  }

  for (const auto& c : controls) {
    if (c.kind != Kind::TextBox) continue;
    if (c.accessibleName.empty()) return DesignFault::FieldUnnamed;
    for (const auto& other : controls) {
      if (&other != &c && other.kind == Kind::TextBox && other.accessibleName == c.accessibleName) {
        return DesignFault::FieldNameRepeated;
      }
    }
  }

  for (const auto& c : controls) {
    if (!placedByRules(c)) continue;
    Twips area{0, 0, design.clientWidth, design.clientHeight};
    for (const auto& container : controls) {
      if (container.name == c.container) area = {0, 0, container.rect.width, container.rect.height};
    }
    const Twips& r = c.rect;
    if (r.left < 0 || r.top < 0 || r.left + r.width > area.width ||
        r.top + r.height > area.height) {
      return DesignFault::OutsideContainer;
    }
    for (const auto& other : controls) {
      if (&other != &c && placedByRules(other) && other.container == c.container &&
          overlap(r, other.rect)) {
        return DesignFault::FocusableOverlap;
      }
    }
  }
  return DesignFault::None;
}

}  // namespace platform
