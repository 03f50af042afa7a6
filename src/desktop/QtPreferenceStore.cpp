#include "desktop/QtPreferenceStore.h"

namespace tandrel::desktop {

QtPreferenceStore::QtPreferenceStore()
    : settings_(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Tandrel"),
                QStringLiteral("Tandrel")) {}

std::optional<std::string> QtPreferenceStore::read(const std::string& key) const {
  const QVariant value = settings_.value(QString::fromStdString(key));
  if (!value.isValid()) return std::nullopt;
  return value.toString().toStdString();
}

void QtPreferenceStore::write(const std::string& key, const std::string& value) {
  settings_.setValue(QString::fromStdString(key), QString::fromStdString(value));
}

void QtPreferenceStore::remove(const std::string& key) {
  settings_.remove(QString::fromStdString(key));
}

}  // namespace tandrel::desktop
