// The Qt platform's printing and its hand-over to the desktop shell.
#include <QDialog>
#include <QFileInfo>
#include <QUrl>

#include "desktop/QtPlatform.h"
#include "desktop/QtPrinting.h"

namespace tandrel::desktop {

QtPrinting& QtPlatform::printing() {
  if (!printing_)
    printing_ = std::make_unique<QtPrinting>([this](QDialog& dialog) { exec_modal(dialog); });
  return *printing_;
}

std::unique_ptr<platform::PrintJob> QtPlatform::print_dialog(
    const platform::PrintRequest& request) {
  QtPrinting& p = printing();
  if (!p.prints_to_pdf() && request.warn_no_printer && !QtPrinting::printer_installed())
    message_box(QtPrinting::kNoPrinterWarning, platform::MessageKind::Warning);
  return p.print_dialog(request, main_widget_);
}

void QtPlatform::printer_setup_dialog() {
  printing().page_setup_dialog(main_widget_);
}

void QtPlatform::shell_open(std::string_view target) {
  const QString text = QString::fromUtf8(target.data(), static_cast<qsizetype>(target.size()));
  const bool address = text.contains(QStringLiteral("://"));
  // A document or folder that is not there is not handed on: the shell's
  // own error box would be a message the program promises not to give.
  const std::string path(target);
  if (!address && !system_.file_exists(path) && !system_.directory_exists(path)) return;
  const QUrl url = address ? QUrl(text) : QUrl::fromLocalFile(QFileInfo(text).absoluteFilePath());
  runner_.open_url(url);
}

}  // namespace tandrel::desktop
