// Access keys in menus whose items may share one: run, highlight or nothing,
// and the arrow presses that move the highlight.
#include "ui/access_keys.h"

#include <gtest/gtest.h>

#include <iterator>
#include <string_view>
#include <vector>

#include "ui/menu_tree.h"

namespace quillet {
namespace {

TEST(AccessKeyOf, TakesTheLetterAfterTheFirstSingleAmpersand) {
  const struct {
    std::u16string_view caption;
    char16_t key;
  } cases[] = {
      {u"&File", u'F'},
      {u"&print test", u'P'},
      {u"E&xit", u'X'},
      {u"A && &B", u'B'},
      {u"&&Tom", 0},
      {u"Trailing&", 0},
      {u"No key", 0},
      {u"", 0},
      {u"&1 up", u'1'},
      {u"&&&Both", u'B'},
      {u"&\u00e9t\u00e9", u'\u00e9'},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(AccessKeyOf(c.caption), c.key) << std::string(c.caption.begin(), c.caption.end());
  }
}

// The File menu as the menu tree holds it.
std::vector<std::u16string_view> FileMenu() {
  std::vector<std::u16string_view> captions;
  for (std::size_t at = 0; at < kMenuEntryCount; ++at) {
    if (ParentOf(at) == std::optional<std::size_t>(0)) captions.push_back(kMenuTree[at].caption);
  }
  return captions;
}

TEST(StepForAccessKey, SharedKeysOnlyMoveTheHighlightAndWrap) {
  using Action = AccessKeyStep::Action;
  const std::vector<std::u16string_view> file = FileMenu();
  ASSERT_EQ(file.size(), 4u);  // LabelList, Printer Calibration, Print, Exit
  const std::vector<MenuItemState> items(file.begin(), file.end());
  const struct {
    int highlighted;
    char16_t key;
    AccessKeyStep step;
    std::optional<int> presses;  // what both menus do: arrows, or their own handling
  } cases[] = {
      {kNoHighlight, u'p', {Action::kHighlight, 1}, 2},
      {0, u'p', {Action::kHighlight, 1}, 1},
      {1, u'P', {Action::kHighlight, 2}, 1},
      {2, u'p', {Action::kHighlight, 1}, -1},  // wraps round
      {3, u'p', {Action::kHighlight, 1}, 2},
      {1, u'e', {Action::kRun, 3}, std::nullopt},
      {2, u'L', {Action::kRun, 0}, std::nullopt},
      {0, u'q', {}, std::nullopt},
      {0, 0, {}, std::nullopt},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(StepForAccessKey(file, c.highlighted, c.key), c.step)
        << "highlighted " << c.highlighted << ", key " << char(c.key);
    EXPECT_EQ(ArrowPressesForKey(items, false, c.highlighted, c.key), c.presses)
        << "highlighted " << c.highlighted << ", key " << char(c.key);
  }
}

TEST(ArrowPressesForKey, CountsOnlyTheItemsTheHighlightCanRestOn) {
  const MenuItemState menu[] = {{u"&Open"},
                                {u"", true},
                                {u"&Print", false, true},
                                {u"&Paste", false, false, true},
                                {u"&Post"}};
  EXPECT_EQ(ArrowPressesForKey(menu, false, 0, u'p'), std::nullopt);  // Post alone: it runs
  EXPECT_EQ(ArrowPressesForKey(menu, true, 0, u'p'), 1);  // the disabled Paste is lit first
  EXPECT_EQ(ArrowPressesForKey(menu, true, 3, u'p'), 1);  // then Post
}

TEST(ArrowPresses, TakesTheShortWayRound) {
  const struct {
    int count, from, to, presses;
  } cases[] = {
      {4, 0, 1, 1},
      {4, 1, 2, 1},
      {4, 2, 1, -1},
      {4, 3, 1, 2},
      {4, 1, 3, 2},
      {4, 0, 3, -1},
      {4, 2, 2, 0},
      {4, kNoHighlight, 0, 1},
      {4, kNoHighlight, 1, 2},
      {4, kNoHighlight, 3, -1},
      {4, 0, 4, 0},
      {0, kNoHighlight, 0, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ArrowPresses(c.count, c.from, c.to), c.presses)
        << c.count << " items, " << c.from << " to " << c.to;
  }
}

}  // namespace
}  // namespace quillet
