#include "batch/BatchMethods.h"

#include "output/CommandFileFormats.h"
#include "output/MethodsText.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"

namespace tandrel {

void print_methods(std::ostream& out, const ProcessGlobals& g) {
  const MethodsFacts facts{*g.selections,
                           name_part(g.description->get_data_file_name(0)),
                           g.configuration.data_set_version,
                           g.configuration.citation,
                           std::nullopt,
                           g.selections->variable_selections.variable_columns.size()};
  out << methods_paragraph(facts) << "\n";
}

}  // namespace tandrel
