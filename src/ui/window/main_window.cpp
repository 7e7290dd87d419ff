#include "ui/window/main_window.h"

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QGroupBox>
#include <QKeySequence>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QShortcut>
#include <QStyle>
#include <QWindow>

#include <algorithm>
#include <utility>
#include <vector>

#include "desktop/desktop.h"
#include "input/option_interlocks.h"
#include "input/price_fields.h"
#include "input/start_up_values.h"
#include "ui/entry/keyboard_menu_bar.h"
#include "ui/entry/price_field_events.h"
#include "ui/entry/typed_text.h"
#include "ui/help/accessible_interfaces.h"
#include "ui/help/accessible_names.h"
#include "ui/help/quick_help.h"
#include "ui/window/layout.h"
#include "ui/window/qt_values.h"
#include "ui/window/style_fit.h"
#include "ui/window/window_icon.h"

namespace corvandel {

namespace {

// The whole control, not only its text cursor as the scroll area would have it, and the frame
// around it where the view holds that too, so that its caption shows.
void scroll_into_view(QScrollArea* scroller, const QWidget* control) {
    const QWidget* client_area = scroller->widget();
    if (control == nullptr || !client_area->isAncestorOf(control)) {
        return;
    }
    QRect shown(control->mapTo(client_area, QPoint(0, 0)), control->size());
    for (const QWidget* around = control->parentWidget(); around != client_area;
         around = around->parentWidget()) {
        if (qobject_cast<const QGroupBox*>(around) != nullptr) {
            const QRect framed(around->mapTo(client_area, QPoint(0, 0)), around->size());
            const QWidget* view = scroller->viewport();
            if (framed.width() <= view->width() && framed.height() <= view->height()) {
                shown = framed;
            }
            break;
        }
    }
    scroller->ensureVisible(shown.center().x(), shown.center().y(), shown.width() / 2,
                            shown.height() / 2);
}

// The client area fills the window, and where the window is smaller than the client area, as on
// a small or scaled screen, it scrolls: the control that takes the focus is scrolled into view.
// Qt can make a widget's accessible interface while the widget is being built, so the program's
// own interfaces are installed before any control is.
QScrollArea* new_scroller(QWidget* window) {
    install_accessible_interfaces();
    auto* scroller = new QScrollArea(window);
    scroller->setFrameShape(QFrame::NoFrame);
    scroller->setFocusPolicy(Qt::NoFocus);
    scroller->setWidgetResizable(true);
    QObject::connect(qApp, &QApplication::focusChanged, scroller,
                     [scroller](QWidget*, QWidget* now) { scroll_into_view(scroller, now); });
    return scroller;
}

// The controls keep their places whatever the window's size: the client area has no layout.
QWidget* new_client_area(QScrollArea* scroller) {
    auto* client_area = new QWidget;
    client_area->setBackgroundRole(QPalette::Button);
    client_area->setMinimumSize(to_pixels(window_client_area).size());
    scroller->setWidget(client_area);
    return client_area;
}

}  // namespace

MainWindow::MainWindow(WarningBox warning_box)
    : scroller_(new_scroller(this)),
      client_area_(new_client_area(scroller_)),
      controls_(build_controls(client_area_)),
      form_(controls_, this, std::move(warning_box)),
      calculator_(form_),
      price_field_events_(form_, controls_, this),
      quick_help_(client_area_, controls_) {
    setObjectName(QStringLiteral("Zelvo_main"));
    setWindowTitle(QStringLiteral("Corvandel."));
    setWindowIcon(window_icon());
    setFont(to_qfont(window_font));

    give_accessible_names(controls_);
    fit_to_style(controls_);
    mirror_for_right_to_left(controls_, client_area_->minimumWidth());
    setCentralWidget(scroller_);

    build_menu();
    price_field_events_.watch_menu_bar(menuBar());
    set_tab_order();
    give_enter_to_buttons();
    connect(qobject_cast<QAbstractButton*>(control(Control::cmd_calc)), &QAbstractButton::clicked,
            this, &MainWindow::cmd_calc_Click);
    connect(qobject_cast<QAbstractButton*>(control(Control::cmd_clear)), &QAbstractButton::clicked,
            this, &MainWindow::cmd_clear_Click);
    connect_tick_boxes();
    warn_of_refused_texts();

    Form_Load();
    // The window opens with the focus in the first price field, its text ready to be typed over.
    control(tab_order.front())->setFocus();
    price_field_GotFocus(form_, tab_order.front());
    place_on_screen();
    quick_help_.watch_window();
}

// The program can end while the About dialog is open; it must not outlive this window.
MainWindow::~MainWindow() {
    delete about_;
}

void MainWindow::Form_Load() {
    set_defaults(form_);
}

void MainWindow::cmd_calc_Click() {
    calculator_.cmd_calc_Click();
}

void MainWindow::cmd_clear_Click() {
    corvandel::cmd_clear_Click(form_);
}

// Nothing is asked or saved: the application closes every window, which discards the About
// dialog, and leaves its event loop.
void MainWindow::Exit_Click() {
    QCoreApplication::quit();
}

// One About dialog at most: a second About brings the open one forward.
void MainWindow::About_Click() {
    if (about_.isNull()) {
        about_ = new AboutDialog;
    }
    about_->show();
    about_->raise();
    about_->activateWindow();
}

void MainWindow::build_menu() {
    setMenuBar(new KeyboardMenuBar(this));
    QMenu* file = menuBar()->addMenu(QStringLiteral("File"));
    file->setObjectName(QStringLiteral("file"));
    QAction* exit = file->addAction(QStringLiteral("E&xit"));
    exit->setObjectName(QStringLiteral("Exit"));
    connect(exit, &QAction::triggered, this, &MainWindow::Exit_Click);

    QMenu* help = menuBar()->addMenu(QStringLiteral("Help"));
    help->setObjectName(QStringLiteral("Help"));
    QAction* about = help->addAction(QStringLiteral("About"));
    about->setObjectName(QStringLiteral("About"));
    connect(about, &QAction::triggered, this, &MainWindow::About_Click);
}

void MainWindow::set_tab_order() {
    for (std::size_t stop = 1; stop < tab_order.size(); ++stop) {
        setTabOrder(control(tab_order[stop - 1]), control(tab_order[stop]));
    }
}

// Enter is the window's key for Calculate. It never moves the focus: a price field being edited
// is not left, but its entry is tested first, as leaving it would test it. It belongs to the
// controls of the client area: while the menu bar has the keyboard, Enter opens the menu there.
void MainWindow::give_enter_to_buttons() {
    auto* enter = new QShortcut(client_area_);
    enter->setContext(Qt::WidgetWithChildrenShortcut);
    enter->setKeys({QKeySequence(Qt::Key_Return), QKeySequence(Qt::Key_Enter)});
    connect(enter, &QShortcut::activated, this, &MainWindow::press_default_button);
}

// A button that has the focus takes Enter for itself. Calculate runs only on entries the
// window accepts: a refused one brings its warning instead, as a click on Calculate does.
void MainWindow::press_default_button() {
    auto* button = qobject_cast<QPushButton*>(focusWidget());
    if (button == nullptr) {
        if (!price_field_events_.focused_entry_accepted()) {
            return;
        }
        button = qobject_cast<QPushButton*>(control(Control::cmd_calc));
    }
    button->click();
}

// A text too long for a text box is refused whole, and the seller is told so once the box has
// put its text back as it was.
void MainWindow::warn_of_refused_texts() {
    for (const Placement& row : main_window_layout) {
        QLineEdit* edit = nullptr;
        if (row.kind == ControlKind::text_box) {
            edit = qobject_cast<QLineEdit*>(control(row.control));
        } else if (row.kind == ControlKind::drop_down) {
            edit = qobject_cast<QComboBox*>(control(row.control))->lineEdit();
        }
        if (edit == nullptr) {
            continue;
        }
        connect(
            edit, &QLineEdit::inputRejected, this,
            [this, edit] {
                form_.show_warning(
                    edit, QStringLiteral("Text Too Long"),
                    QStringLiteral("The text would be %1 characters long, and this field takes at "
                                   "most %2, so nothing was added.")
                        .arg(refused_length(edit))
                        .arg(longest_typed_text));
            },
            Qt::QueuedConnection);
    }
}

// A tick box raises its click event on every change of its value, by the seller or by the
// program, as the interlocks and the Clear command need.
void MainWindow::connect_tick_boxes() {
    for (const Placement& row : main_window_layout) {
        if (row.kind == ControlKind::tick_box) {
            connect(qobject_cast<QCheckBox*>(control(row.control)), &QCheckBox::toggled, this,
                    [this, box = row.control] { tick_box_Click(form_, box); });
        }
    }
}

// The window has the size of its content, the controls as the style has grown them, below the
// menu bar; centred on the screen's available area with the frame the window manager puts
// around it, so that the title bar is on the screen, and a title bar lower and to the right of
// another copy of the program already there. Where the area is too small for that, the window
// opens maximised and its client area scrolls: the window manager or the compositor then keeps
// it within the area left free by the desktop's panels, which Wayland does not tell a program.
// With nothing to manage the windows, the window takes the whole screen itself.
void MainWindow::place_on_screen() {
    const QRect children = client_area_->childrenRect();
    const QSize content =
        client_area_->minimumSize().expandedTo(QSize(children.right() + 1, children.bottom() + 1));
    client_area_->setMinimumSize(content);
    // As the window's layout will give it the menu bar: the style's height for that width.
    const int menu_bar = menuBar()->heightForWidth(content.width());
    const QSize wanted(
        content.width(),
        content.height() + (menu_bar > 0 ? menu_bar : menuBar()->sizeHint().height()));
    // The native window is made now, at the size it keeps on a screen large enough: a window
    // manager may show a window at the size it was made with before it takes a later one.
    resize(wanted);
    winId();
    const QSize size = desktop::kept_whole(windowHandle(), wanted);
    const QMargins frame = desktop::frame_to_come(windowHandle());
    const QRect available = screen()->availableGeometry();
    const QSize fits = size.boundedTo(available.size().shrunkBy(frame));
    if (fits != size) {
        if (desktop::windows_are_managed(windowHandle())) {
            setWindowState(Qt::WindowMaximized);
        } else {
            setGeometry(available);
        }
        return;
    }
    QRect frame_rect =
        QStyle::alignedRect(Qt::LeftToRight, Qt::AlignCenter, fits.grownBy(frame), available);
    step_aside_from_others(frame_rect, frame, menu_bar);
    // The client area's own rectangle, inside the frame: a position given for the frame would be
    // taken by some platforms for the client area's while they do not know the frame yet.
    setGeometry(QRect(frame_rect.topLeft() + QPoint(frame.left(), frame.top()), fits));
}

// Each copy a title bar's height lower and to the right of the one in its place, while the
// frame stays within the screen's available area.
void MainWindow::step_aside_from_others(QRect& frame_rect, const QMargins& frame,
                                        int menu_bar) const {
    const std::vector<QPoint> others = desktop::places_of_others_alike(windowHandle());
    const int title_bar = frame.top() > 0 ? frame.top() : menu_bar;
    const QPoint step(title_bar, title_bar);
    const QRect available = screen()->availableGeometry();
    const auto taken = [&](const QRect& rect) {
        const QPoint client = rect.topLeft() + QPoint(frame.left(), frame.top());
        return std::any_of(others.begin(), others.end(), [&](const QPoint& other) {
            return (other - client).manhattanLength() < title_bar;
        });
    };
    while (taken(frame_rect) && available.contains(frame_rect.translated(step))) {
        frame_rect.translate(step);
    }
}

}  // namespace corvandel
