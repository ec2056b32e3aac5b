#include "ui/access_keys.h"

#include <vector>

namespace quillet {
namespace {

char16_t Folded(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

char16_t AccessKeyOf(std::u16string_view caption) {
  for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
    if (!MarksAccessKey(caption[at])) continue;
    if (!MarksAccessKey(caption[at + 1])) return Folded(caption[at + 1]);
    ++at;  // "&&" shows one "&" and marks nothing
  }
  return 0;
}

std::u16string EscapeAccessKeys(std::u16string_view text) {
  std::u16string escaped;
  escaped.reserve(text.size());
  for (const char16_t c : text) {
    escaped.push_back(c);
    if (MarksAccessKey(c)) escaped.push_back(c);
  }
  return escaped;
}

AccessKeyStep StepForAccessKey(std::span<const std::u16string_view> captions, int highlighted,
                               char16_t key) {
  const char16_t wanted = Folded(key);
  AccessKeyStep first, after_highlight;
  int carriers = 0;
  for (std::size_t k = 0; k < captions.size(); ++k) {
    if (wanted == 0 || AccessKeyOf(captions[k]) != wanted) continue;
    if (carriers++ == 0) first = {AccessKeyStep::Action::kHighlight, k};
    if (static_cast<int>(k) > highlighted &&
        after_highlight.action == AccessKeyStep::Action::kNothing)
      after_highlight = {AccessKeyStep::Action::kHighlight, k};
  }
  if (carriers == 0) return {};
  if (carriers == 1) return {AccessKeyStep::Action::kRun, first.item};
  return after_highlight.action == AccessKeyStep::Action::kNothing ? first : after_highlight;
}

int ArrowPresses(int count, int from, int to) {
  if (count <= 0 || to < 0 || to >= count) return 0;
  int down, up;
  if (from < 0 || from >= count) {
    down = to + 1;
    up = count - to;
  } else {
    down = (to - from + count) % count;
    up = (from - to + count) % count;
  }
  return down <= up ? down : -up;
}

std::optional<int> ArrowPressesForKey(std::span<const MenuItemState> items,
                                      bool arrows_light_disabled, int highlighted, char16_t key) {
  std::vector<std::u16string_view> captions;
  int lit = kNoHighlight;
  for (std::size_t k = 0; k < items.size(); ++k) {
    const MenuItemState& item = items[k];
    if (item.separator || item.hidden || (item.disabled && !arrows_light_disabled)) continue;
    if (static_cast<int>(k) == highlighted) lit = static_cast<int>(captions.size());
    captions.push_back(item.caption);
  }
  const AccessKeyStep step = StepForAccessKey(captions, lit, key);
  if (step.action != AccessKeyStep::Action::kHighlight) return std::nullopt;
  return ArrowPresses(static_cast<int>(captions.size()), lit, static_cast<int>(step.item));
}

}  // namespace quillet
