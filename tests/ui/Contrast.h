// The tests' own measure of legibility: the contrast ratio of two colours
// from their relative luminance, as WCAG defines it (1 to 21; text needs at
// least 4.5).
#pragma once

#include <QColor>
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

}  // namespace ui_test
