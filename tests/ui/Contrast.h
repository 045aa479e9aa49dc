// The tests' own measure of legibility, WCAG's contrast ratio of two colours
// (1 to 21; text needs at least 4.5), and a dark theme to measure it under.
#pragma once

#include <QColor>
#include <QPalette>
#include <algorithm>
#include <cmath>

namespace ui_test {

inline double Contrast(const QColor& a, const QColor& b) {
  const auto luminance = [](const QColor& c) {
    const auto linear = [](double v) {
      return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
  };
  const double la = luminance(a), lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

/// A dark theme as desktops ship it; its own highlight and link colours fall
/// short of 4.5:1 on their grounds.
inline QPalette DarkPalette() {
  QPalette p(QColor(53, 53, 53), QColor(53, 53, 53));
  for (auto role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText})
    p.setColor(role, QColor(240, 240, 240));
  for (auto role : {QPalette::Highlight, QPalette::Link}) p.setColor(role, QColor(42, 130, 218));
  p.setColor(QPalette::HighlightedText, Qt::white);
  p.setColor(QPalette::Base, QColor(35, 35, 35));
  return p;
}

}  // namespace ui_test
