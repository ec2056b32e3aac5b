#include "ui/access_keys.h"

namespace quillet {
namespace {

char16_t Folded(char16_t c) {
  return c >= u'a' && c <= u'z' ? static_cast<char16_t>(c - u'a' + u'A') : c;
}

}  // namespace

char16_t AccessKeyOf(std::u16string_view caption) {
  for (std::size_t at = 0; at + 1 < caption.size(); ++at) {
    if (caption[at] != u'&') continue;
    if (caption[at + 1] != u'&') return Folded(caption[at + 1]);
    ++at;  // "&&" shows one "&" and marks nothing
  }
  return 0;
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

std::optional<int> ArrowPressesForKey(std::span<const std::u16string_view> captions,
                                      int highlighted, char16_t key) {
  const AccessKeyStep step = StepForAccessKey(captions, highlighted, key);
  if (step.action != AccessKeyStep::Action::kHighlight) return std::nullopt;
  return ArrowPresses(static_cast<int>(captions.size()), highlighted, static_cast<int>(step.item));
}

}  // namespace quillet
