#include <QFont>
#include <QLabel>
#include <QString>
#include <QWidget>

#include <gtest/gtest.h>

#include "ui/drawn/text_within_label.h"

namespace corvandel {
namespace {

// A one-row label, as the help line is, but narrower than the longest help sentences.
class TextWithinLabel : public testing::Test {
  protected:
    TextWithinLabel() {
        QFont font(QStringLiteral("Verdana"));
        font.setPointSizeF(9.75);
        window.setFont(font);
        label.setWordWrap(true);
        label.setGeometry(8, 24, 600, 25);
    }

    bool fits() const { return label.heightForWidth(label.width()) <= label.height(); }

    QWidget window;
    QLabel label{&window};
};

TEST_F(TextWithinLabel, ShrinksTheFontOnlyAsFarAsTheTextNeeds) {
    const struct {
        const char* what;
        QString text;
        bool smaller;
    } cases[] = {
        {"too wide",
         "Picture pack includes Picture show and Supersize, cost is $1 for up to 6 pictures and "
         "$1.50 for up to 12.",
         true},
        {"short after a wide one", "Supersizes your pictures, cost is 75 cents.", false},
        {"empty", "", false},
        {"wide again",
         "Uncheck to not count paypal fees as part of your cost. Useful if you receive payment "
         "in Cash or Check",
         true},
    };
    for (const auto& test : cases) {
        SCOPED_TRACE(test.what);
        show_text_within_label(&label, test.text);
        EXPECT_EQ(label.text(), test.text);
        EXPECT_TRUE(fits());
        EXPECT_EQ(label.font().pointSizeF() < 9.75, test.smaller);
        EXPECT_EQ(label.font().family(), "Verdana");
        if (test.smaller) {
            QFont one_step_larger = label.font();
            one_step_larger.setPointSizeF(label.font().pointSizeF() + 0.25);
            label.setFont(one_step_larger);
            EXPECT_FALSE(fits()) << "a larger font would have fitted";
            show_text_within_label(&label, test.text);
        }
    }
}

// Past the smallest readable size the text is left to wrap rather than shrink further.
TEST_F(TextWithinLabel, StopsAtTheSmallestReadableSize) {
    show_text_within_label(&label, QString(200, QChar('m')));
    EXPECT_DOUBLE_EQ(label.font().pointSizeF(), 7.0);
}

}  // namespace
}  // namespace corvandel
