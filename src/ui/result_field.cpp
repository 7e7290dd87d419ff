#include "ui/result_field.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPalette>
#include <QRect>
#include <QScopedValueRollback>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

namespace corvandel {

namespace {

// What a disabled line edit keeps clear on either side of its text inside the frame.
constexpr int line_edit_margin = 2;

// Well above the 4.5 : 1 asked of text, so that the smaller fonts of long results, whose thin
// strokes never reach their full colour, stay legible too.
constexpr double wanted_contrast = 7.0;

constexpr double point_size_step = 0.25;
constexpr double smallest_point_size = 1.0;

// Every character a result can hold: digits, sign, decimal point.
const QString result_characters = QStringLiteral("0123456789-.");

double linear(double channel) {
    return channel <= 0.04045 ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
}

double luminance(const QColor& colour) {
    return 0.2126 * linear(colour.redF()) + 0.7152 * linear(colour.greenF()) +
           0.0722 * linear(colour.blueF());
}

double contrast(const QColor& a, const QColor& b) {
    const double lighter = std::max(luminance(a), luminance(b));
    const double darker = std::min(luminance(a), luminance(b));
    return (lighter + 0.05) / (darker + 0.05);
}

QColor mixed(const QColor& from, const QColor& to, double share_of_to) {
    return QColor::fromRgbF(
        static_cast<float>(from.redF() + (to.redF() - from.redF()) * share_of_to),
        static_cast<float>(from.greenF() + (to.greenF() - from.greenF()) * share_of_to),
        static_cast<float>(from.blueF() + (to.blueF() - from.blueF()) * share_of_to));
}

// The desktop's greyed text, moved towards its normal text just as far as legibility needs: it
// stays visibly lighter than an enabled field's text.
QPalette with_legible_greyed_text(QPalette palette) {
    const QColor background = palette.color(QPalette::Disabled, QPalette::Base);
    const QColor greyed = palette.color(QPalette::Disabled, QPalette::Text);
    const QColor normal = palette.color(QPalette::Active, QPalette::Text);
    QColor text = greyed;
    for (int step = 1; step <= 100 && contrast(text, background) < wanted_contrast; ++step) {
        text = mixed(greyed, normal, step / 100.0);
    }
    palette.setColor(QPalette::Disabled, QPalette::Text, text);
    return palette;
}

}  // namespace

ResultField::ResultField(QWidget* parent) : QLineEdit(parent) {
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
    setPalette(with_legible_greyed_text(palette()));
    own_font_ = font();
    connect(this, &QLineEdit::textChanged, this, &ResultField::fit_text);
}

// A font set from outside (the layout's bold profit) becomes the field's own; the changes the
// field makes itself while fitting a text do not.
void ResultField::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange && !changing_font_) {
        own_font_ = font();
        shrunk_ = false;
        always_fits_ = -1;
        fit_text();
    } else if (event->type() == QEvent::StyleChange) {
        always_fits_ = -1;
        fit_text();
    }
    QLineEdit::changeEvent(event);
}

void ResultField::resizeEvent(QResizeEvent* event) {
    always_fits_ = -1;
    fit_text();
    QLineEdit::resizeEvent(event);
}

// Runs on every result written, so the common short result costs no measuring: the count of
// the widest characters that fit is measured once per font and size.
void ResultField::fit_text() {
    if (always_fits_ < 0) {
        const QFontMetricsF metrics(own_font_, this);
        qreal widest = 0;
        for (const QChar character : result_characters) {
            widest = std::max(widest, metrics.horizontalAdvance(character));
        }
        always_fits_ = static_cast<qsizetype>(std::floor(room(own_font_) / widest));
    }
    const QString shown = text();
    if (shown.size() <= always_fits_) {
        if (shrunk_) {
            show_in(own_font_);
        }
        return;
    }
    QFont font = own_font_;
    const qreal needed = QFontMetricsF(font, this).horizontalAdvance(shown);
    if (needed > room(font)) {
        // Strokes snapped to whole pixels keep the small text as dark as the normal one.
        font.setHintingPreference(QFont::PreferFullHinting);
        // Text widths grow nearly in proportion to the size; the steps below settle the rest.
        const double guess = font.pointSizeF() * room(font) / needed;
        font.setPointSizeF(
            std::max(smallest_point_size, std::floor(guess / point_size_step) * point_size_step));
        while (!fits(shown, font) && font.pointSizeF() - point_size_step >= smallest_point_size) {
            font.setPointSizeF(font.pointSizeF() - point_size_step);
        }
    }
    show_in(font);
}

qreal ResultField::room(const QFont& font) const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    const QRect contents = style()->subElementRect(QStyle::SE_LineEditContents, &panel, this);
    const QMarginsF margins = textMargins().toMarginsF();
    const QFontMetricsF metrics(font, this);
    // The line edit scrolls once the text and one pixel more exceed its room, and keeps clear
    // of the glyphs' overhang on either side.
    const qreal bearings = std::max<qreal>(0, -metrics.minLeftBearing()) +
                           std::max<qreal>(0, -metrics.minRightBearing());
    return contents.width() - margins.left() - margins.right() - 2 * line_edit_margin - 1 -
           bearings;
}

bool ResultField::fits(const QString& text, const QFont& font) const {
    return QFontMetricsF(font, this).horizontalAdvance(text) <= room(font);
}

// The text is placed from its first character; with the font that fits it nothing scrolls.
void ResultField::show_in(const QFont& font) {
    if (font != this->font()) {
        const QScopedValueRollback<bool> changing(changing_font_, true);
        setFont(font);
    }
    shrunk_ = font != own_font_;
    setCursorPosition(0);
}

}  // namespace corvandel
