#pragma once

#include <QFont>
#include <QFontDatabase>
#include <QFontInfo>
#include <QString>

#include <gtest/gtest.h>

namespace corvandel {

// Whether the font draws what the desktop gives for `family` at the font's size and weight,
// and names a family that is installed, so that finding it takes no fallback search.
inline testing::AssertionResult draws_as(const QFont& font, const QString& family) {
    if (!QFontDatabase::families().contains(font.family())) {
        return testing::AssertionFailure() << font.family().toStdString() << " is not installed";
    }
    QFont asked(family);
    asked.setPointSizeF(font.pointSizeF());
    asked.setBold(font.bold());
    const QFontInfo drawn(font);
    const QFontInfo wanted(asked);
    if (drawn.family() != wanted.family() || drawn.styleName() != wanted.styleName() ||
        drawn.pointSizeF() != wanted.pointSizeF()) {
        return testing::AssertionFailure()
               << "draws " << drawn.family().toStdString() << ' ' << drawn.styleName().toStdString()
               << " where " << family.toStdString() << " gives " << wanted.family().toStdString()
               << ' ' << wanted.styleName().toStdString();
    }
    return testing::AssertionSuccess();
}

}  // namespace corvandel
