#include "FormTools.h"

#include "ThemeColours.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <QScreen>
#include <QStyle>
#include <QWidget>

QFont FormFont(int pixelHeight, bool bold) {
  QFont font = QApplication::font();
  font.setPixelSize(pixelHeight);
  font.setBold(bold);
  return font;
}

void SetTextColour(QWidget* widget, const QColor& colour) {
  QPalette pal = widget->palette();
  // Disabled text keeps the style's grey, so greyed items still look greyed.
  for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) {
    pal.setColor(QPalette::Active, role, colour);
    pal.setColor(QPalette::Inactive, role, colour);
  }
  widget->setPalette(pal);
}

QRect CentredWindowRect(QSize clientSize, const QMargins& frame, const QRect& available) {
  const QSize whole = clientSize.grownBy(frame);
  const QRect outer = QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, whole, available);
  return outer.marginsRemoved(frame);
}

void FixDialogSize(QWidget* dialog, int width, int height) {
  dialog->setFixedSize(width, height);
  const QWidget* owner = dialog->parentWidget();
  const QScreen* screen = owner ? owner->screen() : QGuiApplication::primaryScreen();
  if (!screen) return;
  // Centred on the screen, not on the owner; moving here also keeps Qt
  // from placing the dialog over the owner when it is shown.
  dialog->move(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, dialog->size(),
                                   screen->availableGeometry())
                   .topLeft());
}

QPushButton* CreateOkButton(QWidget* dialog, int x, int y) {
  auto* button = new QPushButton(dialog->style()->standardIcon(QStyle::SP_DialogOkButton),
                                 QStringLiteral("OK"), dialog);
  button->setObjectName(QStringLiteral("btnOk"));
  button->setGeometry(x, y, 75, 25);
  button->setDefault(true);
  button->setAutoDefault(true);
  return button;
}

int ShowModalTo(QDialog& dialog, QWidget* owner) {
  if (owner && dialog.parentWidget() != owner->window())
    dialog.setParent(owner->window(), dialog.windowFlags());
  dialog.setWindowModality(Qt::WindowModal);
  if (dialog.accessibleName().isEmpty()) dialog.setAccessibleName(dialog.windowTitle());
  FitColoursToTheme(&dialog);
  return dialog.exec();
}
