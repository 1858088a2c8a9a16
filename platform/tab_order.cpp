#include "platform/tab_order.h"

#include <algorithm>
#include <vector>

namespace platform {

Ctl nextInTabOrder(const FormDesign& design, Ctl current, bool backwards,
                   const std::function<bool(Ctl)>& canFocus) {
  std::vector<const ControlDesign*> order;
  for (const auto& c : design.controls) {
    if (c.tabIndex >= 0) order.push_back(&c);
  }
  std::ranges::sort(order, {}, &ControlDesign::tabIndex);
  if (backwards) std::ranges::reverse(order);

  const auto n = order.size();
  const auto here = std::ranges::find(order, current, &ControlDesign::name);
  const std::size_t start =
      here == order.end() ? n - 1 : static_cast<std::size_t>(here - order.begin());
  for (std::size_t step = 1; step <= n; ++step) {
    const ControlDesign& candidate = *order[(start + step) % n];
    if (candidate.name != current && canFocus(candidate.name)) return candidate.name;
  }
  return current;
}

Ctl nextInGroup(const FormDesign& design, Ctl current, bool forward,
                const std::function<bool(Ctl)>& canFocus) {
  std::vector<Ctl> group;
  for (const auto& c : design.controls) {
    if (c.kind == Kind::OptionButton && c.container == design[current].container) {
      group.push_back(c.name);
    }
  }
  if (!forward) std::ranges::reverse(group);
  const auto here = std::ranges::find(group, current);
  if (here == group.end()) return current;
  const auto n = group.size();
  const auto start = static_cast<std::size_t>(here - group.begin());
  for (std::size_t step = 1; step < n; ++step) {
    const Ctl candidate = group[(start + step) % n];
    if (canFocus(candidate)) return candidate;
  }
  return current;
}

}  // namespace platform
