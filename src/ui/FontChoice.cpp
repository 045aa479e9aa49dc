#include "FontChoice.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPixmap>

namespace {

struct TBasicColour {
  const char* Name;
  QRgb Rgb;
};

// In the order classic font dialogs list them.
constexpr TBasicColour BasicColours[] = {
    {"Black", 0x000000}, {"Maroon", 0x800000}, {"Green", 0x008000},  {"Olive", 0x808000},
    {"Navy", 0x000080},  {"Purple", 0x800080}, {"Teal", 0x008080},   {"Grey", 0x808080},
    {"Silver", 0xc0c0c0}, {"Red", 0xff0000},   {"Lime", 0x00ff00},   {"Yellow", 0xffff00},
    {"Blue", 0x0000ff},  {"Fuchsia", 0xff00ff}, {"Aqua", 0x00ffff},  {"White", 0xffffff},
};

QIcon Swatch(const QColor& colour) {
  QPixmap swatch(16, 12);
  swatch.fill(colour);
  QPainter(&swatch).drawRect(0, 0, 15, 11);
  return QIcon(swatch);
}

// The font dialog's own group boxes: the effects (check boxes) and the
// sample (a line of text).
QGroupBox* GroupWith(QWidget* dialog, bool checkBoxes) {
  for (auto* group : dialog->findChildren<QGroupBox*>()) {
    const bool hasChecks = !group->findChildren<QCheckBox*>().isEmpty();
    const bool hasLine = !group->findChildren<QLineEdit*>().isEmpty();
    if (checkBoxes ? hasChecks : hasLine && !hasChecks) return group;
  }
  return nullptr;
}

}  // namespace

TFontChoice::TFontChoice(const QFont& font, const QColor& colour, QWidget* parent)
    : QFontDialog(parent), Selected(colour) {
  // Qt's own dialog, so that the colour list can sit in it.
  setOption(QFontDialog::DontUseNativeDialog);
  setCurrentFont(font);
  AddColourList(colour);
}

void TFontChoice::AddColourList(const QColor& colour) {
  cbColour = new QComboBox(this);
  cbColour->setObjectName(QStringLiteral("cbColour"));
  cbColour->setAccessibleName(QStringLiteral("Colour"));
  bool listed = false;
  for (const TBasicColour& basic : BasicColours) {
    const QColor c = QColor::fromRgb(basic.Rgb);
    cbColour->addItem(Swatch(c), QLatin1String(basic.Name), c);
    listed = listed || c == colour;
  }
  if (!listed) cbColour->insertItem(0, Swatch(colour), QStringLiteral("Custom"), colour);
  cbColour->setCurrentIndex(cbColour->findData(colour));
  auto* label = new QLabel(QStringLiteral("&Colour:"), this);
  label->setBuddy(cbColour);
  if (QGroupBox* effects = GroupWith(this, true); effects && effects->layout()) {
    effects->layout()->addWidget(label);
    effects->layout()->addWidget(cbColour);
  } else if (auto* grid = qobject_cast<QGridLayout*>(layout())) {
    grid->addWidget(label, grid->rowCount(), 0);
    grid->addWidget(cbColour, grid->rowCount(), 0);
  }
  connect(cbColour, &QComboBox::currentIndexChanged, this,
          [this] { ShowSampleIn(CurrentColour()); });
  ShowSampleIn(colour);
}

void TFontChoice::ShowSampleIn(const QColor& colour) {
  QGroupBox* sample = GroupWith(this, false);
  if (!sample) return;
  for (auto* line : sample->findChildren<QLineEdit*>()) {
    QPalette palette = line->palette();
    palette.setColor(QPalette::Text, colour);
    line->setPalette(palette);
  }
}

QColor TFontChoice::CurrentColour() const { return cbColour->currentData().value<QColor>(); }

void TFontChoice::accept() {
  Selected = CurrentColour();
  QFontDialog::accept();
}
