#include "support/DiskInstallation.h"

#include "diagnostics/OutputWindow.h"

namespace tandrel::test {

DiskInstallation::DiskInstallation() {
  platform.set_echo(false);
  platform.set_program_directory(dir.path());
  platform.fix_clock({2005, 7, 3, 9, 5, 0, 0});
  g.platform = &platform;
  install_globals(&g);
  dir.write("Tandrel.ini",
            "[Tandrel]\n"
            "error_file_name = \"errors.log\"\n"
            "kiv_interface_file_name = \"kiv.mdf\"\n"
            "nation_list_file_name = \"states.csv\"\n"
            "major_list_file_name = \"majors.csv\"\n"
            "Saved_Settings = \"settings.dat\"\n");
  dir.write("states.csv",
            "stateabb,ccode,statenme,styear,stmonth,stday,endyear,endmonth,endday,version\n"
            "USA,2,United States of America,1816,1,1,2016,12,31,2016\n"
            "IRQ,645,Iraq,1932,10,3,2016,12,31,2016\n"
            "ICE,395,Iceland,1944,6,17,2016,12,31,2016\n");
  dir.write("majors.csv",
            "stateabb,ccode,styear,stmonth,stday,endyear,endmonth,endday,version\n"
            "USA,2,1898,8,13,2016,12,31,2016\n");
  dir.write("kiv.mdf",
            "data_file_name = \"kiv.csv\"\n"
            "first_year_possible = \"1990\"\n"
            "last_year_possible = \"1992\"\n"
            "label_line_in_data_file = \"true\"\n"
            "number_of_variables = \"7\"\n"
            "number_of_cases = \"4\"\n"
            "variable = \"numcode,integer,0,1,Identifiers,Group number,key,-99\"\n"
            "variable = \"group,string,0,1,Identifiers,Group name,key,-99\"\n"
            "variable = \"year,integer,0,1,Identifiers,Year,key,-99\"\n"
            "variable = \"ccode,integer,0,1,Identifiers,Country code,key,-99\"\n"
            "variable = \"region,integer,0,1,Identifiers,Region,key,-99\"\n"
            "variable = \"diaspora,integer,0,1,Identifiers,Diaspora,key,-99\"\n"
            "variable = \"pop,real,1,2,Demography,Population share,,-99\"\n");
  dir.write("kiv.csv",
            "numcode,group,year,ccode,region,diaspora,pop\n"
            "201,\"Blacks, US\",1990,2,0,-99,0.12\n"
            "64501,Kurds,1990,645,5,12,0.2\n"
            "64501,Kurds,1991,645,5,12,.\n"
            "64502,\"Shi'is\",1990,645,5,-99,0.6\n");
}

DiskInstallation::~DiskInstallation() {
  session.release_reference();
  install_globals(nullptr);
}

std::vector<std::string> DiskInstallation::trace_lines() const {
  auto& memo = g.trace_window->Screen_Output();
  return {memo.begin(), memo.end()};
}

}  // namespace tandrel::test
