// What a letter typed in an open menu does when items may share an access
// key, the same in both front ends: a key that one item carries runs that
// item; a key that several carry only moves the highlight to the next of
// them, wrapping round, so that Return then runs it. Toolkits whose menus run
// the first carrier at once are steered with the arrow keys.
#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace quillet {

// In a caption "&" marks the character after it as the access key, and "&&"
// shows one "&": either way the two belong together.
constexpr bool MarksAccessKey(char16_t c) {
  return c == u'&';
}

// The access key of a caption: the character after the first "&" that is not
// part of a doubled "&&", with ASCII letters in capitals; 0 for none.
char16_t AccessKeyOf(std::u16string_view caption);

// `text` for a caption that shows it as it stands: each "&" doubled.
std::u16string EscapeAccessKeys(std::u16string_view text);

struct AccessKeyStep {
  enum class Action { kNothing, kRun, kHighlight };
  Action action = Action::kNothing;
  std::size_t item = 0;  // for kRun and kHighlight
  friend bool operator==(const AccessKeyStep&, const AccessKeyStep&) = default;
};

inline constexpr int kNoHighlight = -1;

// `key` typed in a menu whose items have `captions`, with item `highlighted`
// lit (kNoHighlight for none). Letters match whatever their case.
AccessKeyStep StepForAccessKey(std::span<const std::u16string_view> captions, int highlighted,
                               char16_t key);

// The arrow presses that move a menu's highlight from item `from` (or from
// kNoHighlight, where Down lights the first item and Up the last) to item `to`
// of `count`, the short way round: positive for Down, negative for Up.
int ArrowPresses(int count, int from, int to);

// A menu item as its toolkit has it.
struct MenuItemState {
  std::u16string_view caption;
  bool separator = false;
  bool hidden = false;
  bool disabled = false;
};

// The rule both front ends' menus follow for `key` typed in an open menu of
// `items`, item `highlighted` lit (kNoHighlight for none): nothing when the
// menu's own handling is right (one item carries the key and runs, or none
// does), otherwise the arrow presses (as ArrowPresses) that bring the
// highlight to the next carrier. Only the items the highlight can rest on
// count: shown and no separator, and disabled ones only where the toolkit's
// arrow keys light them too (`arrows_light_disabled`; Windows' menus do).
std::optional<int> ArrowPressesForKey(std::span<const MenuItemState> items,
                                      bool arrows_light_disabled, int highlighted, char16_t key);

}  // namespace quillet
