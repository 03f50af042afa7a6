// Load Settings and Save Settings: the whole selections record to and from
// the installation's one settings file. A file that cannot be read or
// written, or a record that cannot be stored or is damaged, changes nothing
// and is explained to the user.

#include "diagnostics/Trace.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/InstallationFiles.h"
#include "reference/SelectionCheck.h"
#include "reference/SettingsFile.h"
#include "ui/GenerateForm.h"

namespace tandrel {

void TGenerateForm::SaveSettings1Click() {
  ReadVariableSelections();
  const ProcessGlobals& g = globals();
  const std::string& file_name = g.configuration.saved_settings_file_name;
  if (auto refusal = overwrite_refusal(
          file_name, installation_files(g.configuration, session_.description.get()),
          "settings file")) {
    os().message_box(*refusal, platform::MessageKind::Error);
    return;
  }
  try {
    save_settings_file(file_name, selections());
  } catch (const ERangeError& e) {
    os().message_box(e.what());  // names the list that does not fit
    return;
  } catch (const EInOutError& e) {
    os().message_box(std::string("Settings not saved:  ") + e.what());
    return;
  }
  os().message_box("Settings saved!");
}

void TGenerateForm::LoadSettings1Click() {
  user_selection_type loaded;
  try {
    load_settings_file(globals().configuration.saved_settings_file_name, loaded);
  } catch (const ERangeError& e) {
    os().message_box(std::string("Settings not loaded:  ") + e.what());
    return;
  } catch (const EInOutError& e) {
    os().message_box(std::string("Settings not loaded:  ") + e.what());
    return;
  }
  // Variables the description does not have would be dropped in silence.
  if (auto unknown = unknown_variables(loaded, description().get_number_of_variables(0))) {
    os().message_box("Settings not loaded:  the settings name " + *unknown + ".");
    return;
  }
  selections() = loaded;
  ShowSelections(selections(), description());
  for (const SelectionProblem& problem : check_selections(selections(), description()))
    trace().Message("Loaded settings: " + problem.text);
  os().message_box("Settings loaded!");
}

}  // namespace tandrel
