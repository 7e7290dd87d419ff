#include "ui/about/about_dialog.h"

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPixmap>
#include <QPushButton>
#include <QScreen>
#include <QStyle>

#include <string_view>

#include "ui/drawn/contrast.h"
#include "ui/drawn/line_widget.h"
#include "ui/drawn/picture_box.h"
#include "ui/window/layout.h"
#include "ui/window/qt_values.h"

namespace corvandel {

namespace {

constexpr TwipsRect client_area{0, 0, 6270, 4965};

constexpr FontStyle notice_font{"Verdana", 9.75, false};
constexpr FontStyle bold_notice_font{"Verdana", 9.75, true};

struct Notice {
    std::string_view name;
    std::string_view text;
    TwipsRect twips;
    FontStyle font;
    // Black whatever the desktop's text colour, as the title is, where black can be read.
    bool black = false;
};

constexpr Notice notices[] = {
    {"lblTitle",
     "Corvandel Demo Version " CORVANDEL_VERSION,
     {1800, 240, 4245, 480},
     bold_notice_font,
     true},
    // The web addresses start lines of their own: a line would otherwise break after "//".
    {"Label1",
     "The newest version of Corvandel is always to be had from its home page:\n"
     "https://corvandel.example.com/",
     {1800, 720, 4215, 1095},
     notice_font},
    {"Label2",
     "You may copy this program and give it to others freely.",
     {120, 2040, 6015, 255},
     notice_font},
    {"Label3",
     "Corvandel Pro, the full edition, keeps every item you list with its fees, compares "
     "auction and fixed-price listings side by side and prints a summary of each sale. Read "
     "all about it at:\n"
     "https://corvandel.example.com/",
     {120, 2520, 6015, 1335},
     bold_notice_font},
};

// The three members of one line control, told apart by their index, from x = 120 to 6120.
struct Line {
    int index;
    int y;
    int thickness_pixels;
    QColor colour;
};

const Line lines[] = {
    {0, 3960, 2, Qt::white},
    {1, 1920, 1, QColor(128, 128, 128)},
    {2, 2400, 1, QColor(128, 128, 128)},
};

constexpr int line_left = 120;
constexpr int line_right = 6120;

constexpr TwipsRect picture_corner{120, 240, 0, 0};
constexpr TwipsRect ok_button{2400, 4440, 1260, 345};

// Two pixels of shadow and light on each side, as a sunken picture box has.
constexpr int sunken_border_pixels = 2;

void add_notice(const Notice& notice, QDialog* dialog) {
    auto* label = new QLabel(to_qstring(notice.text), dialog);
    label->setObjectName(to_qstring(notice.name));
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setFont(to_qfont(notice.font));
    label->setGeometry(to_pixels(notice.twips));
    // On a dark desktop (Adwaita-Dark's #353535 gives black 1.7 : 1) the title takes the
    // desktop's own text colour.
    if (notice.black &&
        contrast(Qt::black, dialog->palette().color(QPalette::Window)) >= legible_contrast) {
        QPalette black_text = label->palette();
        black_text.setColor(QPalette::WindowText, Qt::black);
        label->setPalette(black_text);
    }
}

void add_line(const Line& line, QDialog* dialog) {
    auto* widget = new LineWidget(line.colour, dialog);
    widget->setObjectName(QStringLiteral("Line1(%1)").arg(line.index));
    const QRect from_left = to_pixels({line_left, line.y, line_right - line_left, 0});
    widget->setGeometry(from_left.x(), from_left.y(), from_left.width(), line.thickness_pixels);
}

// The box takes the size of its picture and border.
QLabel* add_picture(QDialog* dialog) {
    auto* picture = new PictureBox(dialog);
    picture->setObjectName(QStringLiteral("picIcon"));
    picture->setAccessibleName(QStringLiteral("Picture of a calculator with a dollar price tag"));
    picture->setFrameStyle(QFrame::Panel | QFrame::Sunken);
    picture->setLineWidth(sunken_border_pixels);
    const QPixmap image(QStringLiteral(":/corvandel/about_picture.jpg"));
    picture->setPixmap(image);
    const QSize bordered = image.size() + 2 * QSize(sunken_border_pixels, sunken_border_pixels);
    picture->setGeometry(QRect(to_pixels(picture_corner).topLeft(), bordered));
    return picture;
}

}  // namespace

AboutDialog::AboutDialog() {
    setObjectName(QStringLiteral("frmAbout"));
    setWindowTitle(QStringLiteral("About MyApp"));
    setAttribute(Qt::WA_DeleteOnClose);
    // A tool window is Qt's kind of window that has no taskbar button of its own: on X11 it is
    // a utility window, kept with the program's windows. Unlike a dialog, Qt does not count it
    // when deciding whether the last window has closed, unless told to.
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowCloseButtonHint);
    setAttribute(Qt::WA_QuitOnClose);
    setFixedSize(to_pixels(client_area).size());

    QLabel* picture = add_picture(this);
    for (const Notice& notice : notices) {
        add_notice(notice, this);
    }
    for (const Line& line : lines) {
        add_line(line, this);
    }

    auto* ok = new QPushButton(QStringLiteral("OK"), this);
    ok->setObjectName(QStringLiteral("cmdOK"));
    ok->setGeometry(to_pixels(ok_button));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &AboutDialog::cmdOK_Click);
    // Escape is QDialog's own: it rejects the dialog, which closes and so discards it like OK.

    setTabOrder(ok, picture);
    ok->setFocus();
    setGeometry(QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, size(),
                                    screen()->availableGeometry()));
}

void AboutDialog::cmdOK_Click() {
    close();
}

}  // namespace corvandel
