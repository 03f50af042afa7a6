#pragma once

// A small key-value store for what the program remembers between sessions
// (window place, last output folder, recent settings files). The desktop
// keeps it in the user's configuration folder; tests and the batch use the
// in-memory store, which forgets everything when it goes.

#include <map>
#include <optional>
#include <string>

namespace tandrel::platform {

class PreferenceStore {
 public:
  virtual ~PreferenceStore() = default;
  virtual std::optional<std::string> read(const std::string& key) const = 0;
  virtual void write(const std::string& key, const std::string& value) = 0;
  virtual void remove(const std::string& key) = 0;
};

class MemoryPreferenceStore : public PreferenceStore {
 public:
  std::optional<std::string> read(const std::string& key) const override {
    const auto found = values_.find(key);
    if (found == values_.end()) return std::nullopt;
    return found->second;
  }
  void write(const std::string& key, const std::string& value) override { values_[key] = value; }
  void remove(const std::string& key) override { values_.erase(key); }

 private:
  std::map<std::string, std::string> values_;
};

}  // namespace tandrel::platform
