#include "HelpWindow.h"

#include <QApplication>
#include <QShortcut>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "Resources.h"
#include "ThemeColours.h"

const QString THelpWindow::Title = QStringLiteral("Varlo Help");

namespace {

// The pages' colours: green headings, red suits and pale green table heads
// on a light page; under a dark theme lighter tones of the same, each made
// readable on the theme's page colour. Body text and links take the theme's
// own colours.
QString PageColours(const QPalette& palette) {
  if (!IsDarkPalette(palette))
    return QStringLiteral(
        "h1, h2 { color: #0b5a2a; } th { background-color: #dfeee3; } .red { color: #cc1224; }");
  const QColor page = palette.color(QPalette::Base), text = palette.color(QPalette::Text);
  const QColor headBack(0x1d, 0x3b, 0x27);
  const auto on = [&](const char* wanted, const QColor& back) {
    return ReadableOn(QColor(QLatin1String(wanted)), back, text).name();
  };
  // Links are coloured from the application's palette when a page is read.
  const QColor link = ReadableOn(QApplication::palette().color(QPalette::Link), page, text);
  return QStringLiteral(
             "h1, h2 { color: %1; } th { background-color: %2; color: %3; } .red { color: %4; } "
             "a { color: %5; }")
      .arg(on("#8fd4a4", page), headBack.name(), ReadableOn(text, headBack, text).name(),
           on("#ff8f8f", page), link.name());
}

}  // namespace

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
  FitColoursToTheme(this);
  Pages->document()->setDefaultStyleSheet(PageColours(Pages->palette()));
  Pages->setSource(QUrl(QStringLiteral("qrc:/help/index.html")));
  // Closed from the keyboard too, as a viewer is.
  for (const QKeySequence& keys : {QKeySequence(Qt::Key_Escape), QKeySequence(QKeySequence::Close)})
    connect(new QShortcut(keys, this), &QShortcut::activated, this, &QWidget::close);
}
