// What a list box announces: a view that follows the announcements row by
// row must end with the model's rows and selection, and a range of rows is
// announced once, so no part of a user's range is lost on the way.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "ui/ListDialogs.h"

namespace tandrel {
namespace {

using Texts = std::vector<std::string>;

// A view that knows the list only from its announcements.
struct Follower {
  explicit Follower(ListBoxModel& followed) : list(followed) {
    for (int row = 0; row < followed.count(); ++row)
      rows.push_back({followed.item(row).text, followed.selected(row)});
    c[0] = followed.rows_about_to_be_inserted.connect([this](int first, int last) {
      pending = {first, last};
      log.push_back("insert " + range(first, last));
    });
    c[1] = followed.rows_inserted.connect([this] {
      for (int row = pending.first; row <= pending.second; ++row)
        rows.insert(rows.begin() + row,
                    std::pair{this->list.item(row).text, this->list.selected(row)});
    });
    c[2] = followed.rows_about_to_be_removed.connect([this](int first, int last) {
      rows.erase(rows.begin() + first, rows.begin() + last + 1);
      log.push_back("remove " + range(first, last));
    });
    c[3] = followed.reset.connect([this] {
      rows.clear();
      for (int row = 0; row < this->list.count(); ++row)
        rows.push_back({this->list.item(row).text, this->list.selected(row)});
      log.push_back("reset");
    });
    c[4] = followed.selection_changed.connect([this](int first, int last) {
      for (int row = first; row <= last; ++row) rows[row].second = this->list.selected(row);
      log.push_back("select " + range(first, last));
    });
  }
  static std::string range(int first, int last) {
    return std::to_string(first) + ".." + std::to_string(last);
  }
  bool matches() const {
    if (static_cast<int>(rows.size()) != list.count()) return false;
    for (int row = 0; row < list.count(); ++row)
      if (rows[row] != std::pair{list.item(row).text, list.selected(row)}) return false;
    return true;
  }

  ListBoxModel& list;
  std::vector<std::pair<std::string, bool>> rows;
  std::pair<int, int> pending;
  std::vector<std::string> log;
  Connection c[5];
};

std::vector<ListItem> items(const Texts& texts) {
  std::vector<ListItem> out;
  for (std::size_t i = 0; i < texts.size(); ++i)
    out.push_back({texts[i], static_cast<std::int32_t>(i)});
  return out;
}

TEST(ListBoxModel, EveryChangeIsAnnouncedSoAFollowerStaysEqual) {
  ListBoxModel list(true, Control{});
  Follower view(list);
  list.assign(items({"delta", "Alpha", "charlie", "bravo", "echo"}));
  EXPECT_EQ(list.texts(), (Texts{"Alpha", "bravo", "charlie", "delta", "echo"}));
  list.set_selected_rows(1, 3, true);
  list.add({"Beta", 9});
  list.remove_rows(3, 4);
  list.set_selected(0, true);
  list.select_texts({"echo"});
  EXPECT_TRUE(view.matches());
  EXPECT_EQ(view.log, (Texts{"reset", "select 1..3", "insert 1..1", "remove 3..4", "select 0..0",
                             "select 0..3"}));
  list.set_selected_rows(0, 2, false);  // nothing changes: nothing announced
  list.clear();
  list.clear();
  EXPECT_EQ(view.log.back(), "reset");
  EXPECT_EQ(view.log.size(), 7U);
  EXPECT_TRUE(view.matches());
}

// Two runs of selected rows leave the list as two announcements, the later
// run first, and the chosen list ends in the available order.
TEST(ListBoxMoves, EachRunOfSelectedRowsLeavesAsOneRange) {
  ListBoxModel source(true, Control{});
  ListBoxModel target(true, Control{});
  source.assign(items({"a", "b", "c", "d", "e", "f"}));
  target.assign(items({"cc"}));
  Follower from(source);
  Follower to(target);
  source.set_selected_rows(0, 1, true);
  source.set_selected_rows(3, 5, true);
  TGenericListDlg::MoveSelected(source, target);
  EXPECT_EQ(source.texts(), (Texts{"c"}));
  EXPECT_EQ(target.texts(), (Texts{"a", "b", "cc", "d", "e", "f"}));
  EXPECT_EQ(from.log, (Texts{"select 0..1", "select 3..5", "remove 3..5", "remove 0..1"}));
  EXPECT_TRUE(from.matches());
  EXPECT_TRUE(to.matches());
}

}  // namespace
}  // namespace tandrel
