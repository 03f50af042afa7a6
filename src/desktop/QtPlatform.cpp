#include "desktop/QtPlatform.h"

#include <QApplication>
#include <QDialog>
#include <QFileDialog>
#include <QFontMetrics>
#include <QMessageBox>

#include "desktop/ModalDialogView.h"
#include "desktop/QtPrinting.h"
#include "platform/FileFilter.h"

namespace tandrel::desktop {

namespace {

QString q(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

QMessageBox::Icon icon_of(platform::MessageKind kind) {
  switch (kind) {
    case platform::MessageKind::Information:
      return QMessageBox::Information;
    case platform::MessageKind::Warning:
      return QMessageBox::Warning;
    case platform::MessageKind::Error:
      return QMessageBox::Critical;
    case platform::MessageKind::Plain:
      break;
  }
  return QMessageBox::NoIcon;
}

}  // namespace

QtPlatform::QtPlatform()
    : own_runner_(std::make_unique<WidgetDialogRunner>()), runner_(*own_runner_) {
  since_pump_.start();
}

QtPlatform::QtPlatform(DialogRunner& runner) : runner_(runner) {
  since_pump_.start();
}

QtPlatform::~QtPlatform() = default;

void QtPlatform::exec_modal(QDialog& dialog) {
  runner_.run(dialog);
}

void QtPlatform::message_box(std::string_view text, platform::MessageKind kind) {
  QMessageBox box(icon_of(kind), QStringLiteral("Tandrel"), q(text), QMessageBox::Ok, main_widget_);
  box.setObjectName(QStringLiteral("MessageBox"));
  box.setWindowModality(Qt::ApplicationModal);
  exec_modal(box);
}

void QtPlatform::show_modal(platform::ModalDialog& dialog) {
  run_modal_dialog(*this, dialog, main_widget_);
}

void QtPlatform::process_messages() {
  if (since_pump_.elapsed() < kPumpIntervalMs) return;
  QElapsedTimer spent;
  spent.start();
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  pump_nanoseconds_ += spent.nsecsElapsed();
  ++pumps_;
  since_pump_.restart();
}

std::optional<std::string> QtPlatform::save_file_dialog(const platform::SaveFileRequest& request) {
  QFileDialog dialog(main_widget_, QStringLiteral("Save As"));
  dialog.setObjectName(QStringLiteral("SaveFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.prompt_overwrite);
  dialog.setOption(QFileDialog::DontUseNativeDialog, !runner_.native_file_dialogs());
  // The model's filter reads "Text files (*.txt)|*.txt|All files|*": pairs
  // of a description and a pattern.
  const QStringList parts = q(request.filter).split('|');
  QStringList filters, extensions;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
    filters << parts[i] + " (" + parts[i + 1] + ")";
    extensions << q(platform::filter_extension(parts[i + 1].toStdString()));
  }
  if (!filters.isEmpty()) {
    dialog.setNameFilters(filters);
    // A name typed without an extension takes the chosen filter's.
    dialog.setDefaultSuffix(extensions.front());
    QObject::connect(&dialog, &QFileDialog::filterSelected, &dialog,
                     [&dialog, filters, extensions](const QString& filter) {
                       dialog.setDefaultSuffix(extensions.value(filters.indexOf(filter)));
                     });
  }
  if (!request.initial_file_name.empty()) dialog.selectFile(q(request.initial_file_name));
  exec_modal(dialog);
  if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

std::optional<std::string> QtPlatform::open_file_dialog(const platform::OpenFileRequest& request) {
  QFileDialog dialog(main_widget_, QStringLiteral("Open"));
  dialog.setObjectName(QStringLiteral("OpenFileDialog"));
  dialog.setAcceptMode(QFileDialog::AcceptOpen);
  dialog.setFileMode(QFileDialog::ExistingFile);
  dialog.setOption(QFileDialog::DontUseNativeDialog, !runner_.native_file_dialogs());
  const QStringList parts = q(request.filter).split('|');
  QStringList filters;
  for (qsizetype i = 0; i + 1 < parts.size(); i += 2)
    filters << parts[i] + " (" + parts[i + 1] + ")";
  if (!filters.isEmpty()) dialog.setNameFilters(filters);
  if (!request.initial_file_name.empty()) dialog.selectFile(q(request.initial_file_name));
  exec_modal(dialog);
  if (dialog.result() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return std::nullopt;
  return dialog.selectedFiles().first().toStdString();
}

int QtPlatform::text_width(std::string_view text) const {
  // The progress labels size themselves at every step of a run, and shaping
  // a text costs far more than the step: plain ASCII captions add up the
  // advances of their characters, measured once per font.
  const QFont font = main_widget_ != nullptr ? main_widget_->font() : QApplication::font();
  if (!metrics_ || metrics_font_ != font) {
    metrics_font_ = font;
    metrics_ = std::make_unique<QFontMetrics>(font);
    advances_.fill(-1);
  }
  int width = 0;
  for (const char c : text) {
    const auto code = static_cast<unsigned char>(c);
    if (code < 32 || code >= advances_.size()) return metrics_->horizontalAdvance(q(text));
    if (advances_[code] < 0) advances_[code] = metrics_->horizontalAdvance(QChar(c));
    width += advances_[code];
  }
  return width;
}

void QtPlatform::end_program(int status) {
  // The windows go at once; the process exits once the call stack is back
  // in main, which catches ProgramEnded.
  for (QWidget* w : QApplication::topLevelWidgets()) w->hide();
  throw platform::ProgramEnded{status};
}

}  // namespace tandrel::desktop
