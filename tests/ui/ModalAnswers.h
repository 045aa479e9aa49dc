// Answering modal dialogs from inside their own event loops: a timer looks
// for the active modal widget and acts on it, the way a user would.
#pragma once

#include <QAbstractButton>
#include <QApplication>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

namespace ui_test {

using TAnswer = std::function<void(QWidget*)>;

/// Waits (from a timer, so also inside a nested event loop) for a modal
/// widget other than `except` and calls `answer` on it once.
inline void AnswerNextModal(TAnswer answer, QWidget* except = nullptr) {
  auto* timer = new QTimer;
  QPointer<QWidget> skip(except);
  timer->setInterval(2);
  QObject::connect(timer, &QTimer::timeout, [timer, answer, skip] {
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || modal == skip.data()) return;
    timer->stop();
    timer->deleteLater();
    answer(modal);
  });
  timer->start();
}

/// Presses the box's button of the given kind.
inline void Press(QWidget* modal, QMessageBox::StandardButton which) {
  auto* box = qobject_cast<QMessageBox*>(modal);
  if (box && box->button(which)) box->button(which)->click();
}

/// What a message box said.
struct TBoxSeen {
  QString Title;
  QString Text;
  QMessageBox::Icon Icon = QMessageBox::NoIcon;
  bool Seen = false;
};

/// Records the next message box and answers it with `which`.
inline std::shared_ptr<TBoxSeen> AnswerNextBox(QMessageBox::StandardButton which,
                                               QWidget* except = nullptr) {
  auto seen = std::make_shared<TBoxSeen>();
  AnswerNextModal(
      [seen, which](QWidget* modal) {
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
          *seen = {box->windowTitle(), box->text(), box->icon(), true};
          Press(box, which);
        }
      },
      except);
  return seen;
}

/// Clicks the dialog's button named btnOk.
inline void ClickOk(QWidget* dialog) {
  if (auto* ok = dialog->findChild<QPushButton*>(QStringLiteral("btnOk"))) ok->click();
}

/// Checks the first free item of a chooser's list, as the user would.
inline void CheckFirstFreeItem(QWidget* dialog) {
  auto* list = dialog->findChild<QListWidget*>(QStringLiteral("clbGames"));
  if (!list || !list->isEnabled()) return;
  for (int i = 0; i < list->count(); ++i) {
    QListWidgetItem* item = list->item(i);
    if ((item->flags() & Qt::ItemIsEnabled) && item->checkState() != Qt::Checked) {
      item->setCheckState(Qt::Checked);
      return;
    }
  }
}

}  // namespace ui_test
