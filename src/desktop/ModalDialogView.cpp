#include "desktop/ModalDialogView.h"

#include <QClipboard>
#include <QDialog>
#include <QDialogButtonBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>
#include <vector>

#include "desktop/AboutBoxView.h"
#include "desktop/QtPlatform.h"
#include "desktop/SubsetDialogView.h"
#include "ui/AboutBox.h"
#include "ui/DescribeDataSet.h"
#include "ui/ListDialogs.h"

namespace tandrel::desktop {

namespace {

QString q(const std::string& text) {
  return QString::fromStdString(text);
}

// A dialog with a text and a row of buttons, rebuilt from the model after
// every press: a press may disable buttons or close the dialog.
class ButtonDialog : public QDialog {
 public:
  ButtonDialog(platform::ModalDialog& model, QWidget* parent) : QDialog(parent), model_(model) {
    setObjectName(q(std::string(model.dialog_name())));
    setWindowTitle(q(model.caption()));
    setModal(true);
    auto* layout = new QVBoxLayout(this);
    text_ = new QLabel(q(model.text()), this);
    text_->setObjectName(QStringLiteral("Text"));
    text_->setTextFormat(Qt::PlainText);
    // Long reports wrap; the interrupt dialog's own line breaks stay.
    text_->setWordWrap(true);
    text_->setMinimumWidth(420);
    layout->addWidget(text_);
    auto* row = new QHBoxLayout;
    row->addStretch();
    for (const auto& b : model.buttons()) {
      auto* button = new QPushButton(q(b.caption), this);
      button->setObjectName(q(b.id));
      button->setAutoDefault(false);
      connect(button, &QPushButton::clicked, this, [this, id = b.id] { press(id); });
      buttons_.push_back({b.id, button});
      row->addWidget(button);
    }
    row->addStretch();
    layout->addLayout(row);
    refresh();
  }

  void reject() override {
    // Escape and the close box press the model's cancel button, if any.
    for (const auto& b : model_.buttons())
      if (b.is_cancel && b.enabled) return press(b.id);
  }

 private:
  void press(const std::string& id) {
    model_.press(id);
    refresh();
  }
  void refresh() {
    text_->setText(q(model_.text()));
    const auto buttons = model_.buttons();
    for (const auto& [id, widget] : buttons_)
      for (const auto& b : buttons)
        if (b.id == id) {
          widget->setText(q(b.caption));
          widget->setEnabled(b.enabled);
          widget->setDefault(b.is_default);
        }
    if (!model_.is_showing() && isVisible()) done(QDialog::Accepted);
  }

  platform::ModalDialog& model_;
  QLabel* text_;
  std::vector<std::pair<std::string, QPushButton*>> buttons_;
};

}  // namespace

void run_modal_dialog(QtPlatform& platform, platform::ModalDialog& dialog, QWidget* parent) {
  dialog.set_showing(true);
  if (auto* list = dynamic_cast<TGenericListDlg*>(&dialog)) {
    SubsetDialogView view(*list, parent);
    platform.exec_modal(view);
  } else if (auto* about = dynamic_cast<TAboutBox*>(&dialog)) {
    AboutBoxView view(*about, parent);
    platform.exec_modal(view);
  } else {
    // The methods paragraph's Copy button reaches the desktop's clipboard.
    if (auto* describe = dynamic_cast<TDescribeDataSetDlg*>(&dialog))
      describe->on_copy = [](const std::string& text) {
        QGuiApplication::clipboard()->setText(QString::fromStdString(text));
      };
    ButtonDialog view(dialog, parent);
    platform.exec_modal(view);
  }
  // The event loop was told to quit under the dialog: the model must not
  // stay open with nobody to answer it.
  if (dialog.is_showing()) dialog.set_showing(false);
}

}  // namespace tandrel::desktop
