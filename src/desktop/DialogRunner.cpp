#include "desktop/DialogRunner.h"

#include <QDesktopServices>
#include <QDialog>
#include <QUrl>

namespace tandrel::desktop {

void WidgetDialogRunner::run(QDialog& dialog) {
  dialog.exec();
}

void WidgetDialogRunner::open_url(const QUrl& url) {
  QDesktopServices::openUrl(url);
}

}  // namespace tandrel::desktop
