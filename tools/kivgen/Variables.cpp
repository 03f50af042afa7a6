#include "kivgen/Variables.h"

#include <utility>

#include "kivgen/Random.h"

namespace kivgen {

const char* type_word(VarType type) {
  switch (type) {
    case VarType::Integer:
      return "integer";
    case VarType::Real:
      return "real";
    case VarType::String:
      return "string";
  }
  return "integer";
}

namespace {

// Collects variables tab by tab; the note of each variable is filled in at
// the end from its scope and interval.
class Catalogue {
 public:
  void tab(int number, std::string label) {
    tab_ = number;
    label_ = std::move(label);
  }

  VarSpec& integer(std::string name, Kind kind, std::int64_t lo, std::int64_t hi,
                   std::string description) {
    return push(std::move(name), VarType::Integer, kind, lo, hi, 0, std::move(description));
  }

  VarSpec& real(std::string name, Kind kind, std::int64_t lo, std::int64_t hi, int decimals,
                std::string description) {
    return push(std::move(name), VarType::Real, kind, lo, hi, decimals, std::move(description));
  }

  VarSpec& text(std::string name, Kind kind, std::string description,
                std::vector<std::string> categories = {}) {
    VarSpec& v = push(std::move(name), VarType::String, kind, 0, 0, 0, std::move(description));
    v.categories = std::move(categories);
    v.blank_per_mille = 900;
    v.dot_per_mille = 100;
    return v;
  }

  // A reader that checks for the line end before each field takes a line
  // ending in an empty field for one field short, so the last column
  // writes its missing values as "." or the missing code.
  std::vector<VarSpec> take() {
    VarSpec& last = vars_.back();
    last.blank_per_mille = 0;
    if (last.type == VarType::String) last.dot_per_mille = 1000;
    for (VarSpec& v : vars_) {
      if (v.kind <= Kind::Diaspora) {
        v.note = "identifier";
        continue;
      }
      v.note = v.scope == Scope::State ? "state level" : "group level";
      if (v.interval >= 2) v.note += "; every " + std::to_string(v.interval) + " years";
    }
    return std::move(vars_);
  }

 private:
  VarSpec& push(std::string name, VarType type, Kind kind, std::int64_t lo, std::int64_t hi,
                int decimals, std::string description) {
    VarSpec v;
    v.name = std::move(name);
    v.type = type;
    v.kind = kind;
    v.lo = lo;
    v.hi = hi;
    v.decimals = decimals;
    v.tab = tab_;
    v.tab_label = label_;
    v.description = std::move(description);
    vars_.push_back(std::move(v));
    return vars_.back();
  }

  int tab_ = 1;
  std::string label_;
  std::vector<VarSpec> vars_;
};

void add_identifiers(Catalogue& c) {
  c.tab(1, "Group Identifiers");
  c.integer("numcode", Kind::Numcode, 0, 0, "Group number: state code times 100 plus a sequence");
  c.text("group", Kind::Group, "Group name");
  c.integer("year", Kind::Year, 0, 0, "Year of observation");
  c.integer("ccode", Kind::Ccode, 0, 0, "COW code of the state the group lives in");
  c.integer("region", Kind::Region, 0, 0, "KIV region of the state (0 2 3 5 6 or 7)");
  c.integer("diaspora", Kind::Diaspora, 0, 0, "Code shared by kindred groups in several states");
}

void add_group_profile(Catalogue& c) {
  c.text("alt_names", Kind::AltNames, "Other names of the group");
  c.text("lang_family", Kind::Category, "Language family of the group",
         {"Indo-European", "Afro-Asiatic", "Niger-Congo", "Sino-Tibetan", "Austronesian", "Turkic",
          "Nilo-Saharan", "Dravidian", "Other or mixed"});
  c.text("religion_main", Kind::Category, "Main religion of the group",
         {"Sunni Muslim", "Shia Muslim", "Orthodox Christian", "Catholic", "Protestant", "Buddhist",
          "Hindu", "Animist", "Jewish", "Mixed, several faiths"});
}

void add_demography(Catalogue& c) {
  c.tab(2, "Demography");
  c.real("group_pop_thousands", Kind::Amount, 50, 200000, 1, "Group population in thousands");
  c.real("group_pop_share", Kind::Level, 10, 6000, 2,
         "Group share of the state population in percent");
  c.real("state_pop_millions", Kind::Amount, 30, 90000, 2, "State population in millions")
      .state_level()
      .every(1)
      .gaps(5);
  c.real("urban_share", Kind::Level, 500, 9000, 2, "Share of the group living in cities in percent")
      .every(5);
  c.integer("settlement_pattern", Kind::Ordinal, 0, 4,
            "Settlement pattern from dispersed (0) to concentrated (4)")
      .gaps(10);
  c.integer("migration_in", Kind::Ordinal, 0, 3, "Immigration of others into the group region");
  c.integer("migration_out", Kind::Ordinal, 0, 3, "Emigration from the group region");
  c.real("refugees_thousands", Kind::Level, 0, 5000, 1, "Refugees from the group in thousands")
      .code(-9)
      .from(1960);
  c.integer("displaced", Kind::Binary, 0, 1, "Group members displaced by conflict this year");
  c.integer("pop_estimate_quality", Kind::Ordinal, 1, 3,
            "Quality of the population estimate from 1 (poor) to 3 (good)")
      .code(-77);
}

void add_restrictions(Catalogue& c) {
  const std::pair<const char*, const char*> domains[] = {{"religion", "religious practice"},
                                                         {"language", "use of the group language"},
                                                         {"education", "schooling"},
                                                         {"assembly", "public assembly"},
                                                         {"press", "the group press"},
                                                         {"movement", "movement and residence"},
                                                         {"property", "land and property"},
                                                         {"office", "access to public office"},
                                                         {"military", "service in the army"},
                                                         {"police", "service in the police"},
                                                         {"justice", "equal treatment in court"},
                                                         {"voting", "voting"},
                                                         {"citizenship", "citizenship"},
                                                         {"organizing", "political organizing"}};
  for (const auto& [name, what] : domains) {
    c.integer(std::string("restr_") + name, Kind::Ordinal, 0, 3,
              std::string("Restrictions on ") + what + " (0 none to 3 severe)");
  }
  c.integer("lang_instruction_restriction_lvl", Kind::Ordinal, 0, 4,
            "Level of restriction on instruction in the group language")
      .from(1970);
}

void add_representation(Catalogue& c) {
  const std::pair<const char*, const char*> bodies[] = {
      {"legislature", "the national legislature"}, {"cabinet", "the cabinet"},
      {"army", "the army officer corps"},          {"courts", "the high courts"},
      {"civil_service", "the civil service"},      {"local_gov", "local government"}};
  for (const auto& [name, what] : bodies) {
    c.integer(std::string("rep_") + name, Kind::Ordinal, 0, 2,
              std::string("Representation in ") + what + " (0 under to 2 over)")
        .gaps(80);
  }
  c.integer("auton_status", Kind::Ordinal, 0, 3, "Regional autonomy of the group (0 none to 3)");
  c.integer("auton_level", Kind::Ordinal, 0, 5, "Scope of self-government of the group region");
  c.integer("auton_lost", Kind::Binary, 0, 1, "Group lost autonomy at some time");
  c.integer("auton_lost_year", Kind::EventYear, 1900, 1995, "Year in which autonomy was lost")
      .code(-77);
}

void add_policies(Catalogue& c) {
  c.integer("pol_discrim_index", Kind::Ordinal, 0, 4, "Index of political discrimination");
  c.integer("pol_discrim_policy", Kind::Ordinal, 0, 3, "Public policy of discrimination");
  c.integer("pol_exclusion", Kind::Binary, 0, 1, "Group excluded from central power");
  c.integer("pol_power_access", Kind::Ordinal, 0, 4, "Access of group leaders to central power");
  c.integer("pol_power_status", Kind::Ordinal, 1, 7, "Power status of the group from 1 to 7");
  c.integer("pol_parties", Kind::Binary, 0, 1, "Group has parties of its own");
  c.integer("pol_party_count", Kind::Count, 0, 12, "Number of group parties").code(-9);
  c.integer("pol_leader_status", Kind::Ordinal, 0, 3, "Status of group leaders in politics");
  c.integer("pol_regional_gov", Kind::Binary, 0, 1, "Group governs its own region");
  c.integer("pol_federal_unit", Kind::Binary, 0, 1, "Group region is a federal unit");
  const char* policies[] = {"neglect",     "assimilation", "remedial",     "preference",
                            "segregation", "dispersal",    "resettlement", "quota"};
  for (const char* p : policies) {
    c.integer(std::string("policy_") + p, Kind::Ordinal, 0, 2,
              std::string("State policy of ") + p + " toward the group");
  }
}

void add_state_and_elections(Catalogue& c) {
  c.integer("stconst_recognition", Kind::Binary, 0, 1, "Group recognised in the constitution");
  c.integer("stconst_lang_official", Kind::Binary, 0, 1, "Group language has official status");
  c.integer("stconst_religion_state", Kind::Binary, 0, 1, "State religion differs from the group");
  c.integer("stconst_minority_law", Kind::Binary, 0, 1, "Minority law in force").from(1950);
  c.real("elect_turnout", Kind::Level, 2000, 9500, 2, "Election turnout of the group in percent")
      .every(5)
      .from(1950);
  c.real("elect_seat_share", Kind::Level, 0, 3000, 2,
         "Share of seats held by group parties in percent")
      .every(5)
      .from(1950);
  c.real("elect_vote_share", Kind::Level, 0, 3000, 2, "Share of votes for group parties in percent")
      .every(5)
      .from(1950);
  c.integer("elect_participation", Kind::Binary, 0, 1, "Group took part in national elections");
  const char* repressions[] = {"arrests", "killings",    "torture",
                               "curfew",  "martial_law", "ban_org"};
  for (const char* r : repressions) {
    c.integer(std::string("repress_") + r, Kind::Ordinal, 0, 3,
              std::string("Repression of the group: ") + r + " (0 to 3)")
        .from(1960);
  }
  c.real("repress_index", Kind::Level, 0, 100, 1, "Repression index from 0 to 10").from(1960);
  c.integer("state_regime_type", Kind::Level, -10, 10, "Regime type of the state from -10 to 10")
      .state_level();
  c.integer("state_democracy", Kind::Binary, 0, 1, "State is a democracy").state_level();
  c.integer("state_gov_change", Kind::Binary, 0, 1, "Change of government this year")
      .state_level()
      .code(-77);
  c.real("state_stability", Kind::Level, 0, 100, 2, "Stability of the state from 0 to 1")
      .state_level();
}

void add_economy(Catalogue& c) {
  c.tab(4, "Economic");
  c.integer("econ_discrim_index", Kind::Ordinal, 0, 4, "Index of economic discrimination");
  c.integer("econ_status_gap", Kind::Level, -2, 2, "Economic status of the group against others");
  c.integer("econ_land_rights", Kind::Ordinal, 0, 3, "Security of group land rights");
  c.integer("econ_resource_site", Kind::Binary, 0, 1, "Valuable resources in the group region");
  c.real("econ_income_ratio", Kind::Level, 40, 160, 2, "Group income relative to the state mean");
  c.real("econ_poverty_share", Kind::Level, 500, 8000, 2,
         "Share of the group in poverty in percent")
      .every(5);
  c.real("econ_unemploy_rate", Kind::Level, 200, 4000, 2,
         "Unemployment rate of the group in percent")
      .every(3)
      .from(1970);
  c.integer("econ_public_jobs", Kind::Ordinal, 0, 3, "Access to public employment");
  c.integer("econ_trade_restr", Kind::Ordinal, 0, 2, "Restrictions on trade and business");
  c.real("gdp_pc_ppp05", Kind::Amount, 3000, 400000, 1, "State GDP per head in 2005 dollars")
      .state_level()
      .every(1)
      .from(1950);
  c.real("state_gdp_growth", Kind::Growth, -100, 150, 1, "Growth of the state GDP in percent")
      .state_level()
      .from(1951);
  c.integer("econ_grievance", Kind::Ordinal, 0, 3, "Economic grievances voiced by the group");
}

void add_culture(Catalogue& c) {
  c.tab(5, "Cultural");
  c.integer("cult_lang_distinct", Kind::Ordinal, 0, 3, "Language distinct from the majority");
  c.integer("cult_relig_distinct", Kind::Ordinal, 0, 3, "Religion distinct from the majority");
  c.integer("cult_customs_distinct", Kind::Ordinal, 0, 2, "Customs distinct from the majority");
  c.integer("cult_race_distinct", Kind::Ordinal, 0, 2, "Physical distinctness from the majority");
  c.integer("cult_lang_schools", Kind::Binary, 0, 1, "Schools teaching in the group language");
  c.integer("cult_media_outlets", Kind::Count, 0, 40, "Media outlets in the group language")
      .code(-9)
      .from(1970);
  c.integer("cult_relig_restr", Kind::Ordinal, 0, 3, "Restrictions on religious institutions");
  c.integer("cult_heritage_protect", Kind::Ordinal, 0, 2, "Protection of the group heritage");
  c.integer("cult_grievance", Kind::Ordinal, 0, 3, "Cultural grievances voiced by the group");
  c.real("cult_index", Kind::Level, 0, 100, 1, "Index of cultural distinctness from 0 to 10");
}

void add_protest(Catalogue& c) {
  c.tab(6, "Grievances and Protest");
  c.integer("pol_grievance", Kind::Ordinal, 0, 3, "Political grievances voiced by the group");
  c.integer("soc_grievance", Kind::Ordinal, 0, 3, "Social grievances voiced by the group");
  c.integer("land_grievance", Kind::Ordinal, 0, 3, "Grievances over land and resources");
  c.integer("protest_level", Kind::Ordinal, 0, 5, "Highest level of protest this year (0 to 5)");
  c.integer("protest_events", Kind::Count, 0, 60, "Number of protest events").code(-9).from(1985);
  c.integer("protest_largest", Kind::Count, 0, 500, "Largest protest in thousands").from(1985);
  c.integer("protest_nonviolent", Kind::Binary, 0, 1, "Protest was mainly nonviolent");
  c.integer("strike_events", Kind::Count, 0, 20, "Number of strikes by group members");
  c.real("grievance_index", Kind::Level, 0, 100, 1, "Index of grievances from 0 to 10");
}

void add_conflict(Catalogue& c) {
  c.tab(7, "Rebellion and Conflict");
  c.integer("rebel_level", Kind::Ordinal, 0, 7, "Highest level of rebellion this year (0 to 7)");
  c.integer("rebel_events", Kind::Count, 0, 30, "Number of armed attacks by group rebels");
  c.text("rebel_org", Kind::OrgNames, "Main rebel organisations of the group");
  c.integer("rebel_fatalities", Kind::Count, 0, 2000, "Deaths in rebel fighting")
      .code(-77)
      .from(1989);
  c.integer("rebel_territory", Kind::Binary, 0, 1, "Rebels hold territory");
  c.integer("rebel_external_support", Kind::Binary, 0, 1, "Rebels supported from abroad");
  c.integer("intercomm_conflict", Kind::Ordinal, 0, 5, "Conflict with other groups (0 to 5)");
  c.integer("intercomm_fatalities", Kind::Count, 0, 300, "Deaths in fighting with other groups")
      .code(-77);
  c.real("conflict_index", Kind::Level, 0, 100, 1, "Index of conflict from 0 to 10");
  c.integer("ceasefire_year", Kind::EventYear, 1950, 2006, "Year of the last ceasefire").code(-77);
}

void add_international(Catalogue& c) {
  c.tab(8, "International");
  c.integer("kin_state_support", Kind::Ordinal, 0, 3, "Support from a kindred state");
  c.integer("kin_in_neighbour", Kind::Binary, 0, 1, "Kindred group in a neighbouring state");
  c.integer("transnat_org", Kind::Binary, 0, 1, "Member of a transnational organisation");
  c.integer("intl_mediation", Kind::Binary, 0, 1, "International mediation this year").from(1960);
  c.integer("ext_military_support", Kind::Ordinal, 0, 2, "Military support from abroad");
  c.real("refugee_flows_out", Kind::Level, 0, 2000, 1, "Refugees leaving the state in thousands")
      .state_level()
      .code(-9);
  c.text("coder_note", Kind::Note, "Remark of the coder on this year");
}

}  // namespace

std::vector<VarSpec> sample_variables() {
  Catalogue c;
  add_identifiers(c);
  add_group_profile(c);
  add_demography(c);
  c.tab(3, "Political Status");
  add_restrictions(c);
  add_representation(c);
  add_policies(c);
  add_state_and_elections(c);
  add_economy(c);
  add_culture(c);
  add_protest(c);
  add_conflict(c);
  add_international(c);
  return c.take();
}

namespace {

constexpr int kBenchTabSize = 150;

struct BenchTopic {
  const char* prefix;
  const char* label;
};

constexpr BenchTopic kBenchTopics[] = {
    {"pol", "Politics"},  {"econ", "Economy"},       {"cult", "Culture"},    {"prot", "Protest"},
    {"conf", "Conflict"}, {"intl", "International"}, {"demo", "Demography"}, {"gov", "Governance"},
    {"soc", "Society"},   {"env", "Environment"}};

void add_bench_variable(Catalogue& c, int number, Rng& rng) {
  const BenchTopic& topic = kBenchTopics[(number / kBenchTabSize) % 10];
  c.tab(2 + number / kBenchTabSize, topic.label);
  std::string name = std::string(topic.prefix) + "_" + std::to_string(10000 + number).substr(1);
  const std::uint32_t kind = rng.below(100);
  VarSpec* v = nullptr;
  if (kind < 20) {
    v = &c.integer(name, Kind::Ordinal, 0, 4, "Benchmark ordinal " + name);
  } else if (kind < 26) {
    v = &c.integer(name, Kind::Binary, 0, 1, "Benchmark flag " + name);
  } else if (kind < 40) {
    v = &c.integer(name, Kind::Count, 0, 1000, "Benchmark count " + name);
  } else if (kind < 46) {
    v = &c.integer(name, Kind::EventYear, 1850, 2020, "Benchmark event year " + name).code(-77);
  } else if (kind < 58) {
    v = &c.integer(name, Kind::Level, 0, 20000, "Benchmark level " + name);
  } else if (kind < 70) {
    v = &c.integer(name, Kind::Amount, 100, 50000, "Benchmark amount " + name);
  } else if (kind < 85) {
    v = &c.real(name, Kind::Level, 0, 100000, 2, "Benchmark share " + name);
  } else if (kind < 95) {
    v = &c.real(name, Kind::Growth, -500, 900, 2, "Benchmark rate " + name);
  } else {
    v = &c.text(name, Kind::Category, "Benchmark category " + name, {"low", "mid", "high", "n a"});
  }
  const std::uint32_t interval = rng.below(100);
  if (interval < 6) v->every(5);
  if (interval >= 6 && interval < 9) v->every(3);
  if (interval >= 9 && interval < 20) v->every(1);
  v->gaps(static_cast<int>(200 + rng.below(400)));
  if (v->type != VarType::String) {
    v->blanks(30);
    v->dot_per_mille = 20;
  }
}

}  // namespace

std::vector<VarSpec> bench_variables(int count, std::uint64_t seed) {
  Catalogue c;
  add_identifiers(c);
  Rng rng = stream(seed, 0xBE7C);
  for (int number = 6; number < count; ++number) add_bench_variable(c, number, rng);
  return c.take();
}

}  // namespace kivgen
