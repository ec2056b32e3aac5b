// The menu tree: every item's place and access key, and the one walk that
// builds it in both front ends.
#include "ui/menu_tree.h"

#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

#include "ui/access_keys.h"

namespace quillet {
namespace {

TEST(MenuTree, ParentsCaptionsAndAccessKeys) {
  struct Case {
    const char* name;
    const char* parent;  // "" for the menu bar
    const char16_t* caption;
  };
  const Case cases[] = {{"File", "", u"&File"},
                        {"LabelList", "File", u"&LabelList"},
                        {"AddToList", "LabelList", u"&Add to LabelList.txt"},
                        {"ViewList", "LabelList", u"&View LabelList.txt"},
                        {"PAdj1", "File", u"&Printer Calibration"},
                        {"Ptest", "PAdj1", u"&Print test"},
                        {"PAdj", "PAdj1", u"&Enter Adjustments"},
                        {"Printit2", "File", u"&Print"},
                        {"Exit", "File", u"&Exit"},
                        {"Clear", "", u"&Clear"},
                        {"Printit", "", u"&Print (Adj ="},  // replaced by the load
                        {"About", "", u"&About"}};
  ASSERT_EQ(std::size(cases), kMenuEntryCount);
  std::map<std::string, std::multiset<char16_t>> keys;  // per menu
  for (std::size_t at = 0; at < kMenuEntryCount; ++at) {
    EXPECT_STREQ(kMenuTree[at].name, cases[at].name);
    const auto parent = ParentOf(at);
    EXPECT_STREQ(parent ? kMenuTree[*parent].name : "", cases[at].parent) << cases[at].name;
    EXPECT_EQ(std::u16string_view(kMenuTree[at].caption), cases[at].caption) << cases[at].name;
    keys[cases[at].parent].insert(AccessKeyOf(kMenuTree[at].caption));
  }
  // The bar's four keys differ; under File only P is shared, by two items.
  EXPECT_EQ((std::set<char16_t>(keys[""].begin(), keys[""].end()).size()), 4u);
  EXPECT_EQ(keys["File"].count(u'P'), 2u);
  EXPECT_EQ(keys["File"].size(),
            std::set<char16_t>(keys["File"].begin(), keys["File"].end()).size() + 1);
  EXPECT_FALSE(ParentOf(kMenuEntryCount).has_value());
  EXPECT_STREQ(kMenuTree[kOffsetsEntry].name, "Printit");
}

// Menus as numbers: 0 is the bar, each new menu the next number.
struct Built {
  std::vector<std::string> items;  // "parent>name"
  int menus = 0;
  int fail_at = -1;  // the entry whose adding fails
};

bool Build(Built& built) {
  auto add = [&built](std::size_t at, int into, bool menu) {
    built.items.push_back(std::to_string(into) + ">" + kMenuTree[at].name);
    if (static_cast<int>(at) == built.fail_at) return 0;
    return menu ? ++built.menus : 1;
  };
  return BuildMenuTree<int>(
      0, [&](std::size_t at, int into) { return add(at, into, true); },
      [&](std::size_t at, int into) { return add(at, into, false) != 0; });
}

TEST(BuildMenuTree, PutsEachItemIntoItsParentsMenuAndStopsAtAFailure) {
  Built built;
  ASSERT_TRUE(Build(built));
  EXPECT_EQ(built.items,
            (std::vector<std::string>{"0>File", "1>LabelList", "2>AddToList", "2>ViewList",
                                      "1>PAdj1", "3>Ptest", "3>PAdj", "1>Printit2", "1>Exit",
                                      "0>Clear", "0>Printit", "0>About"}));
  for (int fail_at : {1, 3}) {  // a menu, a command
    Built failing;
    failing.fail_at = fail_at;
    EXPECT_FALSE(Build(failing));
    EXPECT_EQ(failing.items.size(), static_cast<std::size_t>(fail_at) + 1);
  }
}

}  // namespace
}  // namespace quillet
