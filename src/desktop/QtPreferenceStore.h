#pragma once

// The remembered preferences in the user's configuration folder
// ($XDG_CONFIG_HOME/Tandrel/Tandrel.ini on Linux), through QSettings.

#include <QSettings>

#include "platform/PreferenceStore.h"

namespace tandrel::desktop {

class QtPreferenceStore : public platform::PreferenceStore {
 public:
  QtPreferenceStore();
  std::optional<std::string> read(const std::string& key) const override;
  void write(const std::string& key, const std::string& value) override;
  void remove(const std::string& key) override;
  // Writes what is pending to the file now rather than when the store goes.
  void sync() { settings_.sync(); }

 private:
  QSettings settings_;
};

}  // namespace tandrel::desktop
