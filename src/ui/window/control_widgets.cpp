#include "ui/window/control_widgets.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QEvent>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <algorithm>

#include "ui/drawn/line_widget.h"
#include "ui/drawn/result_field.h"
#include "ui/entry/typed_text.h"
#include "ui/window/layout.h"
#include "ui/window/qt_values.h"

namespace corvandel {

namespace {

QRect in_pixels(const Placement& row) {
    const QRect rect = to_pixels(row.twips);
    if (row.kind == ControlKind::line) {
        return {rect.topLeft(), QSize(std::max(rect.width(), 1), std::max(rect.height(), 1))};
    }
    return rect;
}

// The toolkit has no roles by those names; these are the nearest ones that still follow the
// desktop theme. The classic scroll-bar colour is a light grey a step darker than the button
// face, as Midlight is; the inactive title bar's grey is closest to Dark.
QPalette::ColorRole palette_role(SystemColour colour) {
    switch (colour) {
        case SystemColour::scroll_bar:
            return QPalette::Midlight;
        case SystemColour::inactive_title_bar:
            return QPalette::Dark;
    }
    return QPalette::Window;
}

QWidget* make_frame(const Placement& row, QWidget* container) {
    auto* frame = new QGroupBox(to_qstring(caption(row.control)), container);
    if (row.colour) {
        frame->setBackgroundRole(palette_role(*row.colour));
        frame->setAutoFillBackground(true);
    }
    return frame;
}

QWidget* make_price_field(const Placement& row, QWidget* container) {
    auto* field = new QLineEdit(to_qstring(row.text_at_creation), container);
    take_typed_text_only(field);
    return field;
}

// The wheel turns the pictures box only while the seller works in it: a wheel turned over it on
// the way elsewhere, or while a refused entry holds the focus, changes nothing.
class WheelOnlyWithFocus final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* widget = qobject_cast<QWidget*>(watched);
        return event->type() == QEvent::Wheel && widget != nullptr && !widget->hasFocus();
    }
};

// Enter in the open list chooses the entry and is spent there: the window's Calculate key, whose
// reach takes in the list as a part of the box, must not see it too.
class ListKeepsItsEnter final : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject*, QEvent* event) override {
        if (event->type() == QEvent::ShortcutOverride) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) {
                event->accept();
            }
        }
        return false;
    }
};

// Editable, so any text can be typed; Enter never adds what was typed to the list.
QWidget* make_drop_down(const Placement& row, QWidget* container) {
    auto* box = new QComboBox(container);
    box->setEditable(true);
    box->setInsertPolicy(QComboBox::NoInsert);
    box->setEditText(to_qstring(row.text_at_creation));
    take_typed_text_only(box->lineEdit());
    box->setAcceptDrops(false);
    box->setFocusPolicy(Qt::StrongFocus);
    box->installEventFilter(new WheelOnlyWithFocus(box));
    box->view()->installEventFilter(new ListKeepsItsEnter(box));
    return box;
}

QWidget* make_label(const Placement& row, QWidget* container) {
    auto* label = new QLabel(to_qstring(caption(row.control)), container);
    label->setTextFormat(Qt::PlainText);
    label->setWordWrap(true);
    return label;
}

QWidget* make_widget(const Placement& row, QWidget* container) {
    switch (row.kind) {
        case ControlKind::frame:
            return make_frame(row, container);
        case ControlKind::text_box:
            return make_price_field(row, container);
        case ControlKind::result_field:
            return new ResultField(container);
        case ControlKind::tick_box:
            return new QCheckBox(to_qstring(caption(row.control)), container);
        case ControlKind::drop_down:
            return make_drop_down(row, container);
        case ControlKind::label:
            return make_label(row, container);
        case ControlKind::line:
            return new LineWidget(
                palette_role(row.colour.value_or(SystemColour::inactive_title_bar)), container);
        case ControlKind::push_button:
            return new QPushButton(to_qstring(caption(row.control)), container);
    }
    return nullptr;
}

}  // namespace

ControlWidgets build_controls(QWidget* client_area) {
    ControlWidgets widgets{};
    for (const Placement& row : main_window_layout) {
        QWidget* container = row.frame ? widgets[index(*row.frame)] : client_area;
        QWidget* widget = make_widget(row, container);
        widget->setObjectName(to_qstring(name(row.control)));
        widget->setGeometry(in_pixels(row));
        if (row.font) {
            widget->setFont(to_qfont(*row.font));
        }
        widgets[index(row.control)] = widget;
    }
    return widgets;
}

void mirror_for_right_to_left(const ControlWidgets& widgets, int client_width) {
    for (const Placement& row : main_window_layout) {
        QWidget* widget = widgets[index(row.control)];
        if (!widget->isRightToLeft()) {
            continue;
        }
        const int width = row.frame ? widgets[index(*row.frame)]->width() : client_width;
        QRect mirrored = widget->geometry();
        mirrored.moveLeft(width - mirrored.left() - mirrored.width());
        widget->setGeometry(mirrored);
        // A label follows its text's direction rather than the window's; its caption must keep
        // beside the field it names, which is now on its left.
        if (auto* label = qobject_cast<QLabel*>(widget)) {
            label->setAlignment(Qt::AlignRight | (label->alignment() & Qt::AlignVertical_Mask));
        }
    }
}

}  // namespace corvandel
