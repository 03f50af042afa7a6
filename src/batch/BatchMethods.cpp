#include "batch/BatchMethods.h"

#include "output/CommandFileFormats.h"
#include "output/MethodsText.h"
#include "process/Globals.h"
#include "reference/DataSetListing.h"
#include "reference/Session.h"

namespace tandrel {

void print_methods(std::ostream& out, const ProcessGlobals& g, const Session& r) {
  const MethodsFacts facts{*r.selections,
                           name_part(r.description->get_data_file_name(0)),
                           g.configuration.data_set_version,
                           g.configuration.citation,
                           std::nullopt,
                           r.selections->variable_selections.variable_columns.size()};
  out << methods_paragraph(facts) << "\n";
}

}  // namespace tandrel
