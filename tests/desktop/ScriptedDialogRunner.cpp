#include "ScriptedDialogRunner.h"

#include <QDialog>

namespace tandrel::test {

void ScriptedDialogRunner::run(QDialog& dialog) {
  if (observer_) observer_(dialog);
  dialog.exec();
}

}  // namespace tandrel::test
