#include "HelpWindow.h"

#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "Resources.h"

const QString THelpWindow::Title = QStringLiteral("Varlo Help");

THelpWindow::THelpWindow(QWidget* parent) : QWidget(parent, Qt::Window) {
  LoadVarloResources();
  setAttribute(Qt::WA_DeleteOnClose);
  // The help must not keep the program alive once the game window is gone.
  setAttribute(Qt::WA_QuitOnClose, false);
  setWindowTitle(Title);
  setObjectName(QStringLiteral("HelpWindow"));
  resize(640, 480);

  Pages = new QTextBrowser(this);
  Pages->setOpenExternalLinks(true);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(Pages);
  Pages->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
  // Closed from the keyboard too, as a viewer is.
  for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}
