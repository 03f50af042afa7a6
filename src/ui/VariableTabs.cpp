#include "ui/VariableTabs.h"

#include <algorithm>
#include <array>
#include <cctype>

#include "diagnostics/Error.h"
#include "diagnostics/Trace.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"

namespace tandrel {

namespace {

constexpr int kDataSet = 0;
constexpr int kBoxWidth = 70;
constexpr int kBoxHeight = 17;
constexpr int kColumnStep = 112;
constexpr int kRowStep = 20;
constexpr int kBoxOffset = 18;
// A box reaching into this strip at the bottom of its page ends its column.
constexpr int kBottomStrip = 32;
constexpr int kFrameInset = 8;

struct TabSlot {
  bool used = false;
  std::string label;
};

struct TabSlots {
  std::array<TabSlot, kTabSlots> slots;
  std::int32_t lowest = kTabSlots;
  std::int32_t highest = 0;
};

// A tab number the slots cannot hold is reported and moved to the nearest
// slot, so that the variable is still offered.
std::int32_t usable_tab_number(Tuser_data_set_listing_obj& description, int var) {
  const std::int32_t tab = description.get_var_tab_number(kDataSet, var);
  if (tab >= 0 && tab < kTabSlots) return tab;
  const std::int32_t nearest = std::clamp(tab, 0, kTabSlots - 1);
  error("Variable " + description.get_var_name(kDataSet, var) + " has tab number " +
            std::to_string(tab) + " in the KIV data information file, outside 0 to 100.  It is " +
            "shown on tab " + std::to_string(nearest) + ";  check the file.",
        1, noncritical);
  description.set_var_tab_number(kDataSet, var, nearest);
  return nearest;
}

TabSlots scan_tab_numbers(Tuser_data_set_listing_obj& description, std::int32_t count) {
  TabSlots t;
  for (std::int32_t j = 0; j < count; ++j) {
    const std::int32_t tab = usable_tab_number(description, j);
    const std::string& label = description.get_var_tab_label(kDataSet, j);
    TabSlot& slot = t.slots[static_cast<std::size_t>(tab)];
    if (slot.used) {
      if (slot.label != label) error(kTabLabelConflict, 1, noncritical);
      continue;
    }
    slot = {true, label};
    t.lowest = std::min(t.lowest, tab);
    t.highest = std::max(t.highest, tab);
  }
  return t;
}

// A gap in the numbering is only noted: it becomes a page without a tab.
void report_tab_gaps(const TabSlots& t) {
  const std::string range =
      "In Tandrel configuration file, the first and last tab #s specified were " +
      std::to_string(t.lowest) + " and " + std::to_string(t.highest) +
      ", but not every numbered tab in between was specified.  You may wish "
      "to recheck configuration file and rerun.";
  for (std::int32_t i = t.lowest; i <= t.highest; ++i) {
    if (t.slots[static_cast<std::size_t>(i)].used) continue;
    error(range, 0, critical);
    trace().Message("Note:  " + range);
  }
}

Multiple_tab_info_type fill_pages(Tuser_data_set_listing_obj& description, std::int32_t count,
                                  const TabSlots& t) {
  Multiple_tab_info_type pages(static_cast<std::size_t>(t.highest - t.lowest + 1));
  for (std::size_t p = 0; p < pages.size(); ++p)
    pages[p].visible = t.slots[p + static_cast<std::size_t>(t.lowest)].used;
  for (std::int32_t j = 0; j < count; ++j) {
    const std::int32_t page = description.get_var_tab_number(kDataSet, j) - t.lowest;
    description.set_var_tab_number(kDataSet, j, page);
    individual_tab_info_type& info = pages[static_cast<std::size_t>(page)];
    info.label = description.get_var_tab_label(kDataSet, j);
    ++info.count;
    info.variables.push_back(j);
  }
  return pages;
}

void split_into_sub_tabs(Multiple_tab_info_type& pages) {
  for (individual_tab_info_type& page : pages) {
    if (page.count <= kBoxesPerPage) continue;
    page.sub_tab_count = (page.count + kBoxesPerPage - 1) / kBoxesPerPage;
    page.sub_tabs.resize(static_cast<std::size_t>(page.sub_tab_count));
    for (std::size_t n = 0; n < page.sub_tabs.size(); ++n)
      page.sub_tabs[n].label = std::to_string(n + 1);
    for (std::size_t p = 0; p < page.variables.size(); ++p) {
      sub_tab_info& sub = page.sub_tabs[p / kBoxesPerPage];
      sub.variables.push_back(page.variables[p]);
      ++sub.count;
    }
  }
}

// The label of the page that continues `crowded`, which gets " (1)" first
// unless it ends in ")": "Economic" becomes "Economic (1)" and is continued
// by "Economic (2)"; "Economic (9)" by "Economic (10)".
std::string continuation_label(std::string& crowded) {
  if (crowded.empty() || crowded.back() != ')') crowded += " (1)";
  const std::size_t close = crowded.size() - 1;
  std::size_t digits = close;
  while (digits > 0 && close - digits < 9 &&
         std::isdigit(static_cast<unsigned char>(crowded[digits - 1])))
    --digits;
  if (digits == close) {
    os().message_box(kTabLabelProblem);
    return crowded.substr(0, crowded.size() >= 2 ? crowded.size() - 2 : 0) + "1)";
  }
  const long number = std::stol(crowded.substr(digits, close - digits));
  return crowded.substr(0, digits) + std::to_string(number + 1) + ")";
}

void split_into_continuation_pages(Multiple_tab_info_type& pages) {
  for (std::size_t p = 0; p < pages.size(); ++p) {
    if (pages[p].count <= kBoxesPerPage) continue;
    individual_tab_info_type next = pages[p];
    next.label = continuation_label(pages[p].label);
    next.variables.erase(next.variables.begin(), next.variables.begin() + kBoxesPerPage);
    next.count = static_cast<std::int32_t>(next.variables.size());
    pages[p].variables.resize(kBoxesPerPage);
    pages[p].count = kBoxesPerPage;
    pages.insert(pages.begin() + static_cast<std::ptrdiff_t>(p) + 1, std::move(next));
  }
}

Control inset(int client_width, int client_height) {
  return Control{"", kFrameInset, kFrameInset, client_width - 2 * kFrameInset,
                 client_height - 2 * kFrameInset};
}

VarPageFrame frame_page(const individual_tab_info_type& info, int r, const VarPageSize& size) {
  VarPageFrame frame;
  const std::string number = std::to_string(r);
  frame.name = "VarTab" + number;
  frame.caption = info.label;
  frame.has_tab = info.visible;
  if (info.sub_tab_count == 0) {
    frame.panel_name = "VarPanel" + number;
    frame.panel = inset(size.page_client_width, size.page_client_height);
    return frame;
  }
  frame.sub_page_control = "SubPageControl" + number;
  frame.sub_page_control_bounds = inset(size.page_client_width, size.page_client_height);
  frame.sub_panel = inset(size.sub_page_client_width, size.sub_page_client_height);
  for (int n = 1; n <= info.sub_tab_count; ++n) {
    frame.sub_sheets.push_back("SubTabSheet" + number + std::to_string(n));
    frame.sub_panels.push_back("VarPanel" + number + std::to_string(n));
  }
  return frame;
}

// Fills columns from the top; the first box that reaches into the bottom
// strip of its parent ends the column.
void place_list(const std::vector<std::int32_t>& variables, int page, int sub_tab,
                int parent_client_height, const Tuser_data_set_listing_obj& description,
                VariablePages& pages) {
  int column = 0;
  int row = 0;
  for (std::int32_t v : variables) {
    VarBoxPlace place;
    place.name = "VarBox" + std::to_string(v);
    place.hint = description.get_var_description(kDataSet, v);
    place.page = page;
    place.sub_tab = sub_tab;
    place.bounds = Control{description.get_var_name(kDataSet, v), column * kColumnStep + kBoxOffset,
                           row * kRowStep + kBoxOffset, kBoxWidth, kBoxHeight};
    place.column = column;
    place.row = row;
    ++row;
    if (place.bounds.bottom() > parent_client_height - kBottomStrip) {
      ++column;
      row = 0;
    }
    pages.VarCheckBoxes.push_back(VariableBox{v});
    pages.places.push_back(std::move(place));
  }
}

void place_boxes(const Tuser_data_set_listing_obj& description, const VarPageSize& size,
                 VariablePages& pages) {
  for (std::size_t r = 0; r < pages.TabInfo.size(); ++r) {
    const individual_tab_info_type& info = pages.TabInfo[r];
    const int page = static_cast<int>(r);
    if (info.sub_tab_count == 0) {
      place_list(info.variables, page, -1, size.page_client_height, description, pages);
      continue;
    }
    for (std::size_t n = 0; n < info.sub_tabs.size(); ++n)
      place_list(info.sub_tabs[n].variables, page, static_cast<int>(n), size.sub_page_client_height,
                 description, pages);
  }
}

}  // namespace

VariablePages BuildVariableTabs(Tuser_data_set_listing_obj& description, tab_style_type style,
                                const VarPageSize& size) {
  VariablePages pages;
  const std::int32_t count =
      description.data_set_count() == 0 ? 0 : description.get_number_of_variables(kDataSet);
  if (count <= 0) return pages;
  const TabSlots slots = scan_tab_numbers(description, count);
  report_tab_gaps(slots);
  pages.TabInfo = fill_pages(description, count, slots);
  if (style == tab_style_type::FullyTabbed)
    split_into_continuation_pages(pages.TabInfo);
  else
    split_into_sub_tabs(pages.TabInfo);
  pages.TabCount = static_cast<std::int32_t>(pages.TabInfo.size());
  for (std::size_t r = 0; r < pages.TabInfo.size(); ++r)
    pages.frames.push_back(frame_page(pages.TabInfo[r], static_cast<int>(r), size));
  place_boxes(description, size, pages);
  if (static_cast<std::int32_t>(pages.VarCheckBoxes.size()) != count)
    error(
        "Programming error - number of check boxes added to form unequal to number loaded from "
        "documentation.  Notify programmer of error.",
        0, critical);
  return pages;
}

}  // namespace tandrel
