#include <QColor>
#include <QFontMetricsF>
#include <QHash>
#include <QImage>
#include <QLineEdit>
#include <QStyle>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <ostream>

#include "shown_main_window.h"

namespace corvandel {
namespace {

// A result written into a field, and whether it is long enough to need a smaller font.
struct WrittenResult {
    Control field;
    const char* text;
    bool long_text;
};

void PrintTo(const WrittenResult& result, std::ostream* out) {
    *out << name(result.field) << " showing " << result.text;
}

class ResultText : public testing::TestWithParam<WrittenResult> {
  protected:
    ShownMainWindow shown;
};

// What a line edit leaves for its text: the frame and two pixels on either side, and the pixel
// past the text that it keeps before it scrolls.
qreal room_for_text(const QLineEdit* field) {
    const int frame = field->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, nullptr, field);
    return field->width() - 2 * frame - 2 * 2 - 1;
}

TEST_P(ResultText, ShowsWholeFromItsSignInTheFieldsOwnRectangle) {
    const WrittenResult& result = GetParam();
    QLineEdit* field = shown.field(result.field);
    const QFont own_font = field->font();
    field->setText(result.text);

    EXPECT_EQ(field->text(), result.text);
    EXPECT_LE(QFontMetricsF(field->font(), field).horizontalAdvance(result.text),
              room_for_text(field));
    EXPECT_EQ(field->cursorPosition() == 0 || !result.long_text, true);
    if (result.long_text) {
        EXPECT_LT(field->font().pointSizeF(), own_font.pointSizeF());
        EXPECT_EQ(field->font().bold(), own_font.bold());
    } else {
        EXPECT_EQ(field->font(), own_font);
    }

    // The next short result is shown in the field's own font again.
    field->setText("0.20");
    EXPECT_EQ(field->font(), own_font);
}

INSTANTIATE_TEST_SUITE_P(
    MainWindow, ResultText,
    testing::Values(WrittenResult{Control::txt_profit, "-922337203685477.58", true},
                    WrittenResult{Control::txt_profit, "-1499906.96", true},
                    WrittenResult{Control::txt_total_recv, "123456789012.34", true},
                    WrittenResult{Control::txt_total_spent, "-922337203685477.58", true},
                    WrittenResult{Control::txt_profit_margin, "-18446744073709551616.00", true},
                    WrittenResult{Control::txt_list_fee, "0.20", false},
                    WrittenResult{Control::txt_profit, "-12.34", false}));

// A run whose loss is wider than the field shows its minus sign.
TEST(ResultOfARun, ALossWiderThanTheFieldKeepsItsSign) {
    ShownMainWindow shown;
    shown.type_into(Control::txt_item_cost, "1500000");
    shown.press(Qt::Key_Tab);
    shown.type_into(Control::txt_end_price, "100");
    shown.press(Qt::Key_Return);

    QLineEdit* profit = shown.field(Control::txt_profit);
    EXPECT_EQ(profit->text(), "-1499906.96");
    EXPECT_LE(QFontMetricsF(profit->font(), profit).horizontalAdvance(profit->text()),
              room_for_text(profit));
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
