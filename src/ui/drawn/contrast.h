#pragma once

#include <QColor>

namespace corvandel {

// The least contrast asked of text against its background.
inline constexpr double legible_contrast = 4.5;

// The contrast of two colours as the web's accessibility guidelines measure it, from 1 : 1 to
// 21 : 1.
double contrast(const QColor& a, const QColor& b);

}  // namespace corvandel
