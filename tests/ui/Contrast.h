// The tests' own measure of legibility: the contrast ratio of two colours
// from their relative luminance, as WCAG defines it (1 to 21; text needs at
// least 4.5); and a dark theme to measure it under.
#pragma once

#include <QColor>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace ui_test {

inline double RelativeLuminance(const QColor& colour) {
  const auto channel = [](int value) {
    const double c = value / 255.0;
    return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(colour.red()) + 0.7152 * channel(colour.green()) +
         0.0722 * channel(colour.blue());
}

inline double Contrast(const QColor& a, const QColor& b) {
  const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

/// A dark theme as desktops ship it; its own highlight and link colours fall
/// short of 4.5:1 on their grounds.
inline QPalette DarkPalette() {
  QPalette p(QColor(53, 53, 53), QColor(53, 53, 53));
  const QColor text(240, 240, 240);
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText}) p.setColor(role, text);
  p.setColor(QPalette::Base, QColor(35, 35, 35));
  p.setColor(QPalette::Highlight, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Link, QColor(42, 130, 218));
  return p;
}

}  // namespace ui_test
