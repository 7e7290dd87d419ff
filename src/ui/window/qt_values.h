#pragma once

#include <QFont>
#include <QRect>
#include <QString>

#include <string_view>

#include "ui/window/font_families.h"
#include "ui/window/layout.h"

namespace corvandel {

// The rules and the layout hold their texts as UTF-8.
inline QString to_qstring(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

inline QFont to_qfont(const FontStyle& style) {
    QFont font(installed_family(style.family));
    font.setPointSizeF(style.point_size);
    font.setBold(style.bold);
    return font;
}

inline QRect to_pixels(const TwipsRect& twips) {
    return {twips.left / twips_per_pixel, twips.top / twips_per_pixel,
            twips.width / twips_per_pixel, twips.height / twips_per_pixel};
}

}  // namespace corvandel
