#include "ui/layout.h"

#include <algorithm>

namespace cdk::ui {

bool TakesFocus(const ComponentSpec& component) {
  const uint32_t needed = kShown | kEnabled | kTabStop;
  const bool focusable_kind =
      component.kind == ComponentKind::kEditField || component.kind == ComponentKind::kHiddenTextField;
  return focusable_kind && (component.flags & needed) == needed;
}

std::vector<size_t> FocusOrder() {
  std::vector<size_t> order;
  // Walking the list backwards and sorting stably gives equal tab-order
  // values in reverse list order.
  for (size_t i = kLayout.size(); i-- > 0;) {
    if (TakesFocus(kLayout[i])) order.push_back(i);
  }
  std::stable_sort(order.begin(), order.end(),
                   [](size_t a, size_t b) { return kLayout[a].tab_order < kLayout[b].tab_order; });
  return order;
}

size_t InitialFocus() { return FocusOrder().front(); }

size_t NextFocus(size_t current, bool backwards) {
  const std::vector<size_t> order = FocusOrder();
  auto at = std::find(order.begin(), order.end(), current);
  if (at == order.end()) return order.front();
  size_t i = static_cast<size_t>(at - order.begin());
  size_t n = order.size();
  return order[backwards ? (i + n - 1) % n : (i + 1) % n];
}

std::array<int32_t, kStatusBarParts.size()> StatusBarRightEdges() {
  std::array<int32_t, kStatusBarParts.size()> edges{};
  int32_t right = 0;
  for (size_t i = 0; i < kStatusBarParts.size(); ++i) {
    right += kStatusBarParts[i].width;
    edges[i] = right;
  }
  return edges;
}

KeyAction ClassifyKeyDown(unsigned virtual_key, bool shift, bool ctrl, bool alt) {
  if (alt) return KeyAction::kPassOn;  // Alt+F4 and the system menu stay the system's
  switch (virtual_key) {
    case kKeyEscape:
      return ctrl ? KeyAction::kPassOn : KeyAction::kClose;
    case kKeyTab:
      if (ctrl) return KeyAction::kPassOn;
      return shift ? KeyAction::kFocusPrevious : KeyAction::kFocusNext;
    case kKeyEnter:  // no default button, and single-line fields ignore it
    case kKeyF1:     // no help
      return KeyAction::kIgnore;
    default:
      return KeyAction::kPassOn;
  }
}

}  // namespace cdk::ui
