#include "ThemeColours.h"

#include <QApplication>
#include <QWidget>
#include <cmath>
#include <utility>

namespace {

double Linear(double channel) {
  return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
  return 0.2126 * Linear(c.redF()) + 0.7152 * Linear(c.greenF()) + 0.0722 * Linear(c.blueF());
}

QColor Mix(const QColor& from, const QColor& to, double t) {
  const auto mix = [t](int a, int b) { return static_cast<int>(std::lround(a + (b - a) * t)); };
  return QColor(mix(from.red(), to.red()), mix(from.green(), to.green()),
                mix(from.blue(), to.blue()));
}

// Each text role and the role it is drawn on.
constexpr std::pair<QPalette::ColorRole, QPalette::ColorRole> TextOnBackground[] = {
    {QPalette::WindowText, QPalette::Window},      {QPalette::Text, QPalette::Base},
    {QPalette::ButtonText, QPalette::Button},      {QPalette::HighlightedText, QPalette::Highlight},
    {QPalette::Link, QPalette::Base},              {QPalette::LinkVisited, QPalette::Base},
    {QPalette::PlaceholderText, QPalette::Base},   {QPalette::ToolTipText, QPalette::ToolTipBase},
};

// Changes the palette's text colours that are not readable; true when any was.
bool FitPalette(QPalette& palette, const QPalette& theme) {
  bool changed = false;
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (auto [text, background] : TextOnBackground) {
      const QColor fg = palette.color(group, text), bg = palette.color(group, background);
      if (ContrastRatio(fg, bg) >= AimedContrast) continue;
      palette.setColor(group, text, ReadableOn(fg, bg, theme.color(group, text)));
      changed = true;
    }
  }
  return changed;
}

}  // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
  const double la = Luminance(a), lb = Luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

bool IsDarkPalette(const QPalette& palette) {
  return Luminance(palette.color(QPalette::Window)) < Luminance(palette.color(QPalette::WindowText));
}

QColor ReadableOn(const QColor& wanted, const QColor& background, const QColor& towards) {
  if (ContrastRatio(wanted, background) >= AimedContrast) return wanted;
  // The first step on the way to each target that is readable keeps as much
  // of the wanted colour as it can.
  constexpr int Steps = 64;
  for (const QColor& target : {towards, QColor(Qt::white), QColor(Qt::black)}) {
    if (ContrastRatio(target, background) < AimedContrast) continue;
    for (int step = 1; step <= Steps; ++step) {
      const QColor candidate = Mix(wanted, target, double(step) / Steps);
      if (ContrastRatio(candidate, background) >= AimedContrast) return candidate;
    }
  }
  // Nothing reaches it on this background: the best there is.
  return ContrastRatio(Qt::white, background) > ContrastRatio(Qt::black, background)
             ? QColor(Qt::white)
             : QColor(Qt::black);
}

void FitColoursToTheme(QWidget* widget) {
  if (!widget || !IsDarkPalette(widget->palette())) return;
  const QPalette theme = QApplication::palette();
  // Parents first: their changes reach the children before these are looked at.
  QList<QWidget*> widgets{widget};
  widgets += widget->findChildren<QWidget*>();
  for (QWidget* w : widgets) {
    QPalette palette = w->palette();
    if (FitPalette(palette, theme)) w->setPalette(palette);
  }
}
