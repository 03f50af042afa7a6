#include "reference/Regions.h"

#include "diagnostics/Error.h"

namespace tandrel {

Tregion_list_info_obj::Tregion_list_info_obj()
    : entries_{{
          {-99, kiv_region_type::KivRegNone, "Region Undefined"},
          {0, kiv_region_type::KivRegWestern0, "Western Democracies and Japan"},
          {2, kiv_region_type::KivRegEEuropeUssr2, "E. Europe and former USSR"},
          {3, kiv_region_type::KivRegAsia3, "Asia"},
          {5, kiv_region_type::KivRegNAfrica5, "N. Africa and the Middle East"},
          {6, kiv_region_type::KivRegSubsahara6, "SubSaharan Africa"},
          {7, kiv_region_type::KivRegLatin7, "Latin America and Caribbean"},
      }} {}

kiv_region_type Tregion_list_info_obj::get_region_from_code(std::int32_t code) const {
  for (const auto& e : entries_)
    if (e.code == code) return e.region;
  return kiv_region_type::KivRegNone;
}

std::int32_t Tregion_list_info_obj::get_code_from_region(kiv_region_type region) const {
  for (const auto& e : entries_)
    if (e.region == region) return e.code;
  return -99;
}

std::string Tregion_list_info_obj::get_region_name(kiv_region_type region) const {
  for (const auto& e : entries_)
    if (e.region == region) return e.name;
  return "Not defined";
}

kiv_region_type Tregion_list_info_obj::get_region_from_name(const std::string& name) const {
  for (const auto& e : entries_)
    if (e.name == name) return e.region;
  error(
      "Programming error in KIVTypes; region name passed in was not seen on list of regions in "
      "region_info object.",
      2, critical);
  return kiv_region_type::KivRegNone;
}

}  // namespace tandrel
