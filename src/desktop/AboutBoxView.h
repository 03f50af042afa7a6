#pragma once

// The about box on Qt: TAboutBox's texts in a bevelled panel over the OK
// button, the logo stretched into 217 by 97, and the web address as a link
// that hands it to the shell and shows the hand-point cursor over it.

#include <QDialog>

class QLabel;

namespace tandrel {
class TAboutBox;
enum class ScreenCursor;
}  // namespace tandrel

namespace tandrel::desktop {

class AboutBoxView : public QDialog {
 public:
  AboutBoxView(TAboutBox& model, QWidget* parent);
  ~AboutBoxView() override;

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  // The model's labels, as it registered them.
  QWidget* build_panel();
  QLabel* make_icon(QWidget* panel);
  void press_ok();
  void apply_cursor(ScreenCursor cursor);

  TAboutBox& model_;
  bool cursor_overridden_ = false;
};

}  // namespace tandrel::desktop
