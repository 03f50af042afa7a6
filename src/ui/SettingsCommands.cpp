// Load Settings and Save Settings: the whole selections record to and from
// the installation's one settings file, or the user's own copy where start-up
// chose it (a shared installation); Open Settings and Save Settings As do
// the same with a file the user chooses. A file that cannot be read or
// written, or a record that cannot be stored or is damaged, changes nothing
// and is explained to the user.

#include "diagnostics/Trace.h"
#include "process/Exceptions.h"
#include "process/Globals.h"
#include "reference/InstallationFiles.h"
#include "reference/SelectionCheck.h"
#include "reference/SettingsFile.h"
#include "ui/GenerateForm.h"
#include "ui/SessionMemory.h"

namespace tandrel {

namespace {

// Settings files are plain text; the open and save dialogs offer them first.
constexpr const char* kSettingsFileFilter = "Settings files (*.txt)|*.txt|All files (*)|*";

}  // namespace

void TGenerateForm::SaveSettings1Click() {
  ReadVariableSelections();
  const configuration_type& config = globals().configuration;
  // The user's own copy stands in for the installation's file, so they are
  // told where their settings went.
  const bool own_copy = !config.installation_settings_file_name.empty();
  write_settings(config.saved_settings_file_name, own_copy);
}

void TGenerateForm::SaveSettingsAs1Click() {
  ReadVariableSelections();
  const platform::SaveFileRequest request{kSettingsFileFilter, "", true};
  const std::optional<std::string> chosen = os().save_file_dialog(request);
  if (chosen && write_settings(*chosen) && memory_ != nullptr) memory_->add_recent_file(*chosen);
}

void TGenerateForm::OpenSettings1Click() {
  const platform::OpenFileRequest request{kSettingsFileFilter, ""};
  const std::optional<std::string> chosen = os().open_file_dialog(request);
  if (chosen && read_settings(*chosen) && memory_ != nullptr) memory_->add_recent_file(*chosen);
}

void TGenerateForm::LoadSettings1Click() {
  const configuration_type& config = globals().configuration;
  // Until the user saves their own copy, the installation's file serves.
  const std::string& own = config.saved_settings_file_name;
  const std::string& shared = config.installation_settings_file_name;
  const bool use_shared = !shared.empty() && !os().file_exists(own) && os().file_exists(shared);
  read_settings(use_shared ? shared : own);
}

bool TGenerateForm::write_settings(const std::string& file_name, bool say_where) {
  const ProcessGlobals& g = globals();
  if (auto refusal = overwrite_refusal(
          file_name, installation_files(g.configuration, session_.description.get()),
          "settings file")) {
    os().message_box(*refusal, platform::MessageKind::Error);
    return false;
  }
  try {
    save_settings_file(file_name, selections());
  } catch (const ERangeError& e) {
    os().message_box(e.what());  // names the list that does not fit
    return false;
  } catch (const EInOutError& e) {
    os().message_box(std::string("Settings not saved:  ") + e.what());
    return false;
  }
  os().message_box(say_where ? "Settings saved!\nYour own copy: " + file_name : "Settings saved!");
  return true;
}

bool TGenerateForm::read_settings(const std::string& file_name) {
  user_selection_type loaded;
  try {
    load_settings_file(file_name, loaded);
  } catch (const ERangeError& e) {
    os().message_box(std::string("Settings not loaded:  ") + e.what());
    return false;
  } catch (const EInOutError& e) {
    os().message_box(std::string("Settings not loaded:  ") + e.what());
    return false;
  }
  // Variables the description does not have would be dropped in silence.
  if (auto unknown = unknown_variables(loaded, description().get_number_of_variables(0))) {
    os().message_box("Settings not loaded:  the settings name " + *unknown + ".");
    return false;
  }
  selections() = loaded;
  ShowSelections(selections(), description());
  for (const SelectionProblem& problem : check_selections(selections(), description()))
    trace().Message("Loaded settings: " + problem.text);
  os().message_box("Settings loaded!");
  return true;
}

}  // namespace tandrel
