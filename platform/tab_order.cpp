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

}  // namespace platform
