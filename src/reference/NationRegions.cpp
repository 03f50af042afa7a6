#include <array>
#include <string>

#include "diagnostics/Error.h"
#include "reference/NationList.h"

namespace tandrel {

namespace {

constexpr const char* kRegionProblem =
    "Problem setting COW regions inside nation_dat initialization.  Notify programmer.  "
    "Execution continues, but region codes are incorrect.";

struct CodeSpan {
  std::int32_t first;
  std::int32_t last;
  kiv_region_type region;
};

// Searched from the top; the first span holding the code gives its region,
// so the Western single codes win over the wider spans below them.
constexpr std::array kHomeRegions{
    CodeSpan{2, 2, kiv_region_type::KivRegWestern0},
    CodeSpan{20, 20, kiv_region_type::KivRegWestern0},
    CodeSpan{31, 31, kiv_region_type::KivRegWestern0},
    CodeSpan{200, 200, kiv_region_type::KivRegWestern0},
    CodeSpan{325, 325, kiv_region_type::KivRegWestern0},
    CodeSpan{350, 350, kiv_region_type::KivRegWestern0},
    CodeSpan{375, 375, kiv_region_type::KivRegWestern0},
    CodeSpan{380, 380, kiv_region_type::KivRegWestern0},
    CodeSpan{385, 385, kiv_region_type::KivRegWestern0},
    CodeSpan{390, 390, kiv_region_type::KivRegWestern0},
    CodeSpan{395, 395, kiv_region_type::KivRegWestern0},
    CodeSpan{740, 740, kiv_region_type::KivRegWestern0},
    CodeSpan{900, 900, kiv_region_type::KivRegWestern0},
    CodeSpan{910, 910, kiv_region_type::KivRegWestern0},
    CodeSpan{205, 280, kiv_region_type::KivRegWestern0},
    CodeSpan{290, 317, kiv_region_type::KivRegEEuropeUssr2},
    CodeSpan{327, 349, kiv_region_type::KivRegEEuropeUssr2},
    CodeSpan{355, 373, kiv_region_type::KivRegEEuropeUssr2},
    CodeSpan{701, 705, kiv_region_type::KivRegEEuropeUssr2},
    CodeSpan{402, 591, kiv_region_type::KivRegSubsahara6},
    CodeSpan{352, 352, kiv_region_type::KivRegNAfrica5},
    CodeSpan{600, 698, kiv_region_type::KivRegNAfrica5},
    CodeSpan{700, 700, kiv_region_type::KivRegAsia3},
    CodeSpan{710, 990, kiv_region_type::KivRegAsia3},
    CodeSpan{40, 199, kiv_region_type::KivRegLatin7},
};

}  // namespace

std::uint8_t cow_region_of(std::int32_t ccode) {
  if (ccode < 200) return 5;
  if (ccode < 400) return 1;
  if (ccode < 600) return 3;
  if (ccode < 700) return 2;
  if (ccode < 999) return 4;
  error(kRegionProblem, 2, noncritical);
  return 0;
}

kiv_region_type kiv_home_region_of(std::int32_t ccode) {
  for (const CodeSpan& span : kHomeRegions)
    if (ccode >= span.first && ccode <= span.last) return span.region;
  error(
      "ccode seen in defining the KIV region of each state which is not clearly defined by the "
      "KIV project.  This ccode is " +
          std::to_string(ccode) +
          ".  Please check data set and program for updating.  Region is being set to undefined.",
      1, noncritical);
  error(kRegionProblem, 2, noncritical);
  return kiv_region_type::KivRegNone;
}

}  // namespace tandrel
