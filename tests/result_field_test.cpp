#include <QAccessible>
#include <QAccessibleInterface>
#include <QColor>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QStyle>
#include <QToolTip>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "shown_main_window.h"
#include "ui/drawn/result_field.h"

namespace corvandel {
namespace {

// A result written into a field, and how the field shows it.
enum class Shown { in_own_size, smaller, elided };

struct WrittenResult {
    Control field;
    const char* text;
    Shown shown;
};

void PrintTo(const WrittenResult& result, std::ostream* out) {
    *out << name(result.field) << " showing " << result.text;
}

class ResultText : public testing::TestWithParam<WrittenResult> {
  protected:
    ShownMainWindow shown;
};

int room_in(const ResultField* field) {
    return field->width() - 2 * field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth);
}

qreal shown_width(const ResultField* field) {
    return QFontMetricsF(field->shown_font(), field).horizontalAdvance(field->shown_text());
}

// Legible: never under 8 pixels at 100 % (the scale is the device's), and drawn within the
// field's frame, so that nothing scrolls the sign away.
void expect_legible(const ResultField* field) {
    EXPECT_GE(QFontInfo(field->shown_font()).pixelSize(), 8);
    EXPECT_LE(shown_width(field), room_in(field)) << field->text().toStdString();
}

// The sign and the first digits, at least as many as the last digits, then the cents.
void expect_elided_from(const QString& whole, const QString& shown) {
    const qsizetype cut = shown.indexOf(QChar(0x2026));
    const qsizetype sign = whole.startsWith('-') ? 1 : 0;
    ASSERT_GT(cut, sign) << shown.toStdString();
    EXPECT_TRUE(whole.startsWith(shown.left(cut)));
    EXPECT_TRUE(whole.endsWith(shown.mid(cut + 1)));
    EXPECT_GE(shown.size() - cut - 1, 4) << "the cents and a digit before them";
    const qsizetype cents = whole.size() - whole.lastIndexOf('.');
    EXPECT_GE(cut - sign, shown.size() - cut - 1 - cents) << shown.toStdString();
}

TEST_P(ResultText, IsLegibleFromItsSignAndStaysWholeForTheProgram) {
    const WrittenResult& result = GetParam();
    auto* field = static_cast<ResultField*>(shown.field(result.field));
    const QFont own_font = field->font();
    field->setText(result.text);

    EXPECT_EQ(field->text(), result.text);
    expect_legible(field);
    EXPECT_EQ(field->shown_font().bold(), own_font.bold());
    EXPECT_EQ(field->shown_font().pointSizeF() == own_font.pointSizeF(),
              result.shown == Shown::in_own_size);
    if (result.shown == Shown::smaller) {
        // In the largest size that holds it: a pixel larger would not.
        EXPECT_GT(shown_width(field), 0.8 * room_in(field));
    }
    if (result.shown == Shown::elided) {
        expect_elided_from(result.text, field->shown_text());
    } else {
        EXPECT_EQ(field->shown_text(), result.text);
    }
    EXPECT_EQ(field->toolTip(), result.shown == Shown::elided ? result.text : "");

    // The next short result is shown in the field's own font again.
    field->setText("0.20");
    EXPECT_EQ(field->shown_font(), own_font);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ResultText,
    testing::Values(WrittenResult{Control::txt_profit, "-922337203685477.58", Shown::elided},
                    WrittenResult{Control::txt_profit, "-1499906.96", Shown::in_own_size},
                    WrittenResult{Control::txt_total_recv, "123456789012.34", Shown::smaller},
                    WrittenResult{Control::txt_total_recv, "123456789.01", Shown::smaller},
                    WrittenResult{Control::txt_total_spent, "-922337203685477.58", Shown::elided},
                    WrittenResult{Control::txt_profit_margin, "-18446744073709551616.00",
                                  Shown::elided},
                    WrittenResult{Control::txt_list_fee, "0.20", Shown::in_own_size},
                    WrittenResult{Control::txt_profit, "-12.34", Shown::in_own_size}));

// However many of the widest characters a result has, it is drawn within the frame.
TEST(ResultDigits, OfEveryCountAreDrawnWithinTheFrame) {
    ShownMainWindow shown;
    for (const Control result : {Control::txt_profit, Control::txt_list_fee}) {
        auto* field = static_cast<ResultField*>(shown.field(result));
        for (QString text = "8"; text.size() <= 24; text += '8') {
            field->setText(text);
            expect_legible(field);
        }
    }
}

// The run that gives the widest loss: it reads from its sign, and a screen reader hears it
// whole.
TEST(ResultOfARun, TheWidestLossIsLegibleAndReadWhole) {
    ShownMainWindow shown;
    shown.type_into(Control::txt_item_cost, "9e14");
    shown.press(Qt::Key_Tab);
    shown.type_into(Control::txt_end_price, "999999999999");
    shown.press(Qt::Key_Return);

    auto* profit = static_cast<ResultField*>(shown.field(Control::txt_profit));
    EXPECT_EQ(profit->text(), "-899044000000017.00");
    expect_legible(profit);
    expect_elided_from(profit->text(), profit->shown_text());
    EXPECT_EQ(QAccessible::queryAccessibleInterface(profit)->text(QAccessible::Value),
              "-899044000000017.00");
    // Shown whole to the pointer that rests on it, greyed as it is.
    QTest::mouseMove(profit->window()->windowHandle(),
                     profit->mapTo(profit->window(), profit->rect().center()));
    EXPECT_TRUE(QTest::qWaitFor([] { return QToolTip::isVisible(); }, 5000));
    EXPECT_EQ(QToolTip::text(), "-899044000000017.00");
}

// WCAG relative luminance.
double luminance(QRgb pixel) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(pixel)) + 0.7152 * linear(qGreen(pixel)) +
           0.0722 * linear(qBlue(pixel));
}

// The field drawn at the given scale; inside its frame the most common colour is the
// background and the darkest pixel is the text's own colour, since smoothing only lightens.
double rendered_contrast(QWidget* field, int scale) {
    QImage image(field->size() * scale, QImage::Format_RGB32);
    image.setDevicePixelRatio(scale);
    field->render(&image);
    const int inset = 3 * scale;
    QHash<QRgb, int> counts;
    double darkest = 1;
    for (int y = inset; y < image.height() - inset; ++y) {
        for (int x = inset; x < image.width() - inset; ++x) {
            const QRgb pixel = image.pixel(x, y);
            ++counts[pixel];
            darkest = std::min(darkest, luminance(pixel));
        }
    }
    const auto background =
        std::max_element(counts.constKeyValueBegin(), counts.constKeyValueEnd(),
                         [](const auto& a, const auto& b) { return a.second < b.second; });
    return (luminance(background->first) + 0.05) / (darkest + 0.05);
}

struct ContrastCase {
    const char* text;
    int scale;
};

void PrintTo(const ContrastCase& c, std::ostream* out) {
    *out << c.text << " at " << c.scale * 100 << " %";
}

class GreyedResult : public testing::TestWithParam<ContrastCase> {
  protected:
    ShownMainWindow shown;
};

// Legible, yet clearly lighter than the text of a field that takes input.
TEST_P(GreyedResult, IsLegibleAndLighterThanAnEnabledField) {
    const ContrastCase& c = GetParam();
    QLineEdit* result = shown.field(Control::txt_total_fee);
    result->setText(c.text);
    QLineEdit* price = shown.field(Control::txt_bin);
    price->setText(c.text);
    price->deselect();

    const double greyed = rendered_contrast(result, c.scale);
    EXPECT_GE(greyed, 4.5);
    EXPECT_LT(greyed, rendered_contrast(price, c.scale) * 0.75);
}

INSTANTIATE_TEST_SUITE_P(MainWindow, GreyedResult,
                         testing::Values(ContrastCase{"8.88", 1}, ContrastCase{"8.88", 2},
                                         ContrastCase{"-922337203685477.58", 1},
                                         ContrastCase{"-922337203685477.58", 2}));

}  // namespace
}  // namespace corvandel
