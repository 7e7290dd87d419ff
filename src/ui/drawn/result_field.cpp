#include "ui/drawn/result_field.h"

#include <QColor>
#include <QFontMetricsF>
#include <QPainter>
#include <QPalette>
#include <QRect>
#include <QStyle>
#include <QStyleOptionFrame>

#include <algorithm>
#include <cmath>

#include "ui/drawn/contrast.h"

namespace corvandel {

namespace {

// Well above what is asked of text, so that the smaller fonts of long results, whose thin
// strokes never reach their full colour, stay legible too.
constexpr double wanted_contrast = 7.0;

// Closed up this far, digits still stand a pixel apart at the field's own size, and the widest
// realistic result, a bold profit of 9,999,999.99, fits under every desktop style tried.
constexpr int closest_letter_spacing_percent = 92;

constexpr double point_size_step = 0.25;
// 8 pixels at 100 %, the smallest size at which a minus sign still reads as one; in points, so
// that it grows with the desktop's scaling as every other font does.
constexpr double smallest_point_size = 6.0;

constexpr int clearance_pixels = 1;

// Every character a result can hold: digits, sign, decimal point.
const QString result_characters = QStringLiteral("0123456789-.");
const QChar ellipsis(0x2026);

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

// As many digits as fit, the first ones before the ellipsis and the last ones after it, with the
// sign in front and everything from the decimal point on behind: -8990…017.00. Only the sign,
// the ellipsis and the decimals are left when not even one digit fits.
QString elided_in_the_middle(const QString& text, const QFontMetricsF& metrics, qreal room) {
    const qsizetype digits_from = text.startsWith(QLatin1Char('-')) ? 1 : 0;
    const qsizetype point = text.lastIndexOf(QLatin1Char('.'));
    const qsizetype digits_to = point < 0 ? text.size() : point;
    const qsizetype digits = digits_to - digits_from;
    QString elided;
    for (qsizetype shown = digits - 1; shown >= 0; --shown) {
        const qsizetype first = (shown + 1) / 2;
        const qsizetype last = shown / 2;
        elided = text.left(digits_from + first) + ellipsis + text.mid(digits_to - last);
        if (metrics.horizontalAdvance(elided) <= room) {
            break;
        }
    }
    return elided;
}

}  // namespace

ResultField::ResultField(QWidget* parent) : QLineEdit(parent) {
    setFocusPolicy(Qt::NoFocus);
    setEnabled(false);
    setReadOnly(true);
    setPalette(with_legible_greyed_text(palette()));
    shown_font_ = font();
    connect(this, &QLineEdit::textChanged, this, &ResultField::fit_text);
}

void ResultField::changeEvent(QEvent* event) {
    if (event->type() == QEvent::FontChange || event->type() == QEvent::StyleChange) {
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

// The frame as the style draws a line edit's, and the text as the field fitted it.
void ResultField::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    style()->drawPrimitive(QStyle::PE_PanelLineEdit, &panel, &painter, this);
    painter.setFont(shown_font_);
    painter.setPen(panel.palette.color(QPalette::Text));
    painter.drawText(text_area(), Qt::AlignLeft | Qt::AlignVCenter | Qt::TextSingleLine,
                     shown_text_);
}

// Runs on every result written, so the common short result costs no measuring: the count of
// the widest characters that fit is measured once per font and size.
void ResultField::fit_text() {
    const QString whole = text();
    if (always_fits_ >= 0 && whole.size() <= always_fits_) {
        set_shown(whole, font());
        return;
    }
    const qreal room = text_area().width();
    const auto fits = [&](const QFont& candidate) {
        return QFontMetricsF(candidate, this).horizontalAdvance(whole) <= room;
    };
    if (always_fits_ < 0) {
        const QFontMetricsF metrics(font(), this);
        qreal widest = 0;
        for (const QChar character : result_characters) {
            widest = std::max(widest, metrics.horizontalAdvance(character));
        }
        always_fits_ = static_cast<qsizetype>(std::floor(room / widest));
    }
    if (whole.size() <= always_fits_ || fits(font())) {
        set_shown(whole, font());
        return;
    }
    QFont font = this->font();
    font.setLetterSpacing(QFont::PercentageSpacing, closest_letter_spacing_percent);
    if (fits(font)) {
        set_shown(whole, font);
        return;
    }
    // A smaller font keeps its own spacing: closed up as well, its digits would run together.
    // Strokes snapped to whole pixels keep the small text as dark as the normal one.
    font.setLetterSpacing(QFont::PercentageSpacing, 100);
    font.setHintingPreference(QFont::PreferFullHinting);
    // Text widths grow nearly in proportion to the size; the steps below settle the rest.
    const double guess =
        font.pointSizeF() * room / QFontMetricsF(font, this).horizontalAdvance(whole);
    font.setPointSizeF(
        std::max(smallest_point_size, std::floor(guess / point_size_step) * point_size_step));
    while (!fits(font) && font.pointSizeF() - point_size_step >= smallest_point_size) {
        font.setPointSizeF(font.pointSizeF() - point_size_step);
    }
    if (fits(font)) {
        set_shown(whole, font);
        return;
    }
    set_shown(elided_in_the_middle(whole, QFontMetricsF(font, this), room), font);
}

QRect ResultField::text_area() const {
    QStyleOptionFrame panel;
    initStyleOption(&panel);
    return style()
        ->subElementRect(QStyle::SE_LineEditContents, &panel, this)
        .adjusted(clearance_pixels, 0, -clearance_pixels, 0);
}

// Where the text is elided, the whole of it shows on hover: two texts may elide alike.
void ResultField::set_shown(const QString& text, const QFont& font) {
    setToolTip(text == this->text() ? QString() : this->text());
    if (text != shown_text_ || font != shown_font_) {
        shown_text_ = text;
        shown_font_ = font;
        update();
    }
}

}  // namespace corvandel
