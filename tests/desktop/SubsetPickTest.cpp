// Picking items in each of the five subset dialogs with the mouse and the
// keyboard, as a user does: plain, ctrl- and shift-clicks, an item scrolled
// into view, the four move buttons, double-clicks and the filter. After OK
// the selections record holds exactly the items the user moved, and a move
// leaves the list scrolled where it was.
#include <gmock/gmock.h>

#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QScrollBar>
#include <QTest>
#include <algorithm>
#include <map>
#include <set>

#include "DesktopFixture.h"
#include "MirrorCheck.h"
#include "ui/SubsetDialogs.h"

namespace tandrel::test {
namespace {

using ::testing::IsEmpty;
using Keys = std::vector<std::int32_t>;

template <class List>
Keys keys_of(const List& list) {
  Keys out;
  for (const auto& key : list) out.push_back(static_cast<std::int32_t>(key));
  std::sort(out.begin(), out.end());
  return out;
}

struct PickCase {
  const char* name;
  // Opens the dialog from the main window as a user does.
  void (*open)(DesktopFixture&);
  TGenericListDlg& (*dialog)(TGenerateForm&);
  Keys (*record)(const user_selection_type&);
};

QString row_text(QListView* view, int row) {
  return view->model()->index(row, 0).data().toString();
}

// Scrolls the row into view, as the user does with the scroll bar, and
// clicks it.
void click_row(QListView* view, int row, Qt::KeyboardModifiers modifiers = {}) {
  const QModelIndex index = view->model()->index(row, 0);
  view->scrollTo(index);
  QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, view->visualRect(index).center());
}

void click_button(QWidget& dialog, const char* name) {
  auto* button = dialog.findChild<QPushButton*>(QString::fromLatin1(name));
  ASSERT_NE(button, nullptr) << name;
  ASSERT_TRUE(button->isEnabled()) << name;
  QTest::mouseClick(button, Qt::LeftButton);
}

std::set<std::string> shown_selection(QListView* view) {
  std::set<std::string> out;
  for (const QModelIndex& index : view->selectionModel()->selectedIndexes())
    out.insert(index.data().toString().toStdString());
  return out;
}

std::set<std::string> model_selection(const ListBoxModel& list) {
  std::set<std::string> out;
  for (int i = 0; i < list.count(); ++i)
    if (list.selected(i)) out.insert(list.item(i).text);
  return out;
}

std::set<std::string> all_texts(const ListBoxModel& list) {
  const auto texts = list.texts();
  return {texts.begin(), texts.end()};
}

class SubsetPickTest : public DesktopFixture, public ::testing::WithParamInterface<PickCase> {
 protected:
  // The user's session in the dialog; `picked` collects what went right.
  void work(QWidget& dialog, TGenericListDlg& model) {
    auto* source = dialog.findChild<QListView*>(QStringLiteral("SrcList"));
    auto* chosen = dialog.findChild<QListView*>(QStringLiteral("DstList"));
    auto* count = dialog.findChild<QLabel*>(QStringLiteral("CountLabel"));
    auto* filter = dialog.findChild<QLineEdit*>(QStringLiteral("FilterEdit"));
    ASSERT_TRUE(source && chosen && count && filter);
    // A short list, so that every dialog's items need scrolling.
    const int row = std::max(source->sizeHintForRow(0), chosen->sizeHintForRow(0));
    for (QListView* list : {source, chosen}) list->setFixedHeight(row * 4 + 2 * list->frameWidth());
    QCoreApplication::processEvents();

    // Whatever was chosen before goes back, then everything right and left.
    if (dialog.findChild<QPushButton*>(QStringLiteral("ExAllBtn"))->isEnabled())
      click_button(dialog, "ExAllBtn");
    click_button(dialog, "IncAllBtn");
    EXPECT_EQ(source->model()->rowCount(), 0);
    const int total = chosen->model()->rowCount();
    EXPECT_EQ(count->text(), QStringLiteral("%1 of %1 selected").arg(total));
    click_button(dialog, "ExAllBtn");
    EXPECT_EQ(chosen->model()->rowCount(), 0);
    ASSERT_EQ(source->model()->rowCount(), total);
    ASSERT_GE(total, 6) << "too few items to pick from";
    for (int i = 0; i < total; ++i)
      key_of[model.SrcList.item(i).text] = model.SrcList.item(i).object;

    // A plain click, a shift-click range, then a ctrl-click on the last
    // item, scrolled into view.
    click_row(source, 1);
    click_row(source, 3, Qt::ShiftModifier);
    click_row(source, total - 1, Qt::ControlModifier);
    const std::set<std::string> expected = {
        row_text(source, 1).toStdString(), row_text(source, 2).toStdString(),
        row_text(source, 3).toStdString(), row_text(source, total - 1).toStdString()};
    EXPECT_EQ(shown_selection(source), expected);
    EXPECT_EQ(model_selection(model.SrcList), expected);
    const int scrolled = source->verticalScrollBar()->value();
    EXPECT_GT(scrolled, 0);
    click_button(dialog, "IncludeBtn");
    EXPECT_EQ(all_texts(model.DstList), expected);
    EXPECT_EQ(source->verticalScrollBar()->value(),
              std::min(scrolled, source->verticalScrollBar()->maximum()));
    EXPECT_TRUE(source->currentIndex().isValid());
    // What the model selected after the move is what the list shows.
    EXPECT_EQ(shown_selection(source), model_selection(model.SrcList));
    picked = expected;

    // A ctrl-click in the chosen list and "<" puts one back.
    click_row(chosen, 0);
    const std::string back = row_text(chosen, 0).toStdString();
    click_button(dialog, "ExcludeBtn");
    picked.erase(back);
    EXPECT_EQ(all_texts(model.DstList), picked);

    // A double-click moves the item under the mouse.
    const QModelIndex first = source->model()->index(0, 0);
    const std::string twice = first.data().toString().toStdString();
    source->scrollTo(first);
    // What the mouse delivers: a click, then the double-click.
    const QPoint at = source->visualRect(first).center();
    QTest::mouseClick(source->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(source->viewport(), Qt::LeftButton, {}, at);
    picked.insert(twice);
    EXPECT_EQ(all_texts(model.DstList), picked);

    // The filter: only matching items show; a picked one moves alone.
    const std::string wanted = row_text(source, source->model()->rowCount() - 1).toStdString();
    filter->setFocus();
    QTest::keyClicks(filter, QString::fromStdString(wanted).toUpper());
    ASSERT_GE(source->model()->rowCount(), 1);
    for (int i = 0; i < source->model()->rowCount(); ++i)
      EXPECT_TRUE(
          row_text(source, i).contains(QString::fromStdString(wanted), Qt::CaseInsensitive));
    click_row(source, 0);
    picked.insert(row_text(source, 0).toStdString());
    click_button(dialog, "IncludeBtn");
    EXPECT_EQ(all_texts(model.DstList), picked);
    EXPECT_EQ(count->text(), QStringLiteral("%1 of %2 selected").arg(picked.size()).arg(total));
    // The chosen list keeps the available list's order.
    const auto texts = model.DstList.texts();
    EXPECT_TRUE(std::is_sorted(texts.begin(), texts.end(), [](const auto& a, const auto& b) {
      return QString::fromStdString(a).compare(QString::fromStdString(b), Qt::CaseInsensitive) < 0;
    }));
    // Enter in the filter field presses OK.
    QTest::keyClick(filter, Qt::Key_Return);
  }

  std::map<std::string, std::int32_t> key_of;
  std::set<std::string> picked;
};

TEST_P(SubsetPickTest, EveryClickReachesTheSelections) {
  start();
  TGenericListDlg& model = GetParam().dialog(form());
  answer([&](QWidget& dialog) { work(dialog, model); });
  GetParam().open(*this);
  ASSERT_FALSE(model.is_showing());
  Keys expected;
  for (const std::string& text : picked) expected.push_back(key_of.at(text));
  std::sort(expected.begin(), expected.end());
  EXPECT_EQ(GetParam().record(sel()), expected);
  EXPECT_THAT(mirror_differences(window()), IsEmpty());
}

INSTANTIATE_TEST_SUITE_P(
    Dialogs, SubsetPickTest,
    ::testing::Values(
        PickCase{"States",
                 [](DesktopFixture& f) {
                   f.click("PhysStateButton");
                   f.click("ChangeStateSubsetButton");
                 },
                 [](TGenerateForm& f) -> TGenericListDlg& { return *f.KIVCountryListDlg; },
                 [](const user_selection_type& s) { return keys_of(s.selected_states); }},
        PickCase{"ControlStates",
                 [](DesktopFixture& f) {
                   f.click("PhysStateButton");
                   if (!f.form().NonKivGroupCheckBox.checked()) f.click("NonKivGroupCheckBox");
                   f.click("NonKivSubsetButton");
                 },
                 [](TGenerateForm& f) -> TGenericListDlg& { return *f.NonKIVCountryListDlg; },
                 [](const user_selection_type& s) { return keys_of(s.selected_nonkiv_states); }},
        PickCase{"Groups",
                 [](DesktopFixture& f) {
                   f.click("PhysGrpButton");
                   f.click("GroupSubsetButton");
                 },
                 [](TGenerateForm& f) -> TGenericListDlg& { return *f.GroupListDlg; },
                 [](const user_selection_type& s) { return keys_of(s.selected_groups); }},
        PickCase{"Regions",
                 [](DesktopFixture& f) {
                   f.click("PhysRegionButton");
                   f.click("ChangeRegionSubsetButton");
                 },
                 [](TGenerateForm& f) -> TGenericListDlg& { return *f.RegionListDlg; },
                 [](const user_selection_type& s) { return keys_of(s.selected_regions); }},
        // The diaspora unit's controls stay shut; its dialog opens from the
        // model, as the main window would, and OK turns the unit on.
        PickCase{"Diasporas",
                 [](DesktopFixture& f) {
                   f.window().act([&f] { f.form().ChangeDiasporaSubsetButtonClick(); });
                 },
                 [](TGenerateForm& f) -> TGenericListDlg& { return *f.DiasporaListDlg; },
                 [](const user_selection_type& s) { return keys_of(s.selected_diasporas); }}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace tandrel::test
