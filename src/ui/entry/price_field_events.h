#pragma once

#include <QEvent>
#include <QHash>
#include <QLineEdit>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include <optional>

#include "form/form.h"
#include "ui/entry/cancelled_press.h"
#include "ui/window/control_widgets.h"

namespace corvandel {

// Runs the entering and leaving rules of the eight price fields on the window's focus events.
//
// A field is entered or left only when the focus moves between controls of the main window:
// by Tab, by the mouse or by the program. Switching to another window, opening a menu or a
// message box moves nothing, so nothing is tested and a selection is kept. The menu bar's
// keyboard (Alt, F10) is no departure either; the field is left when the menu bar hands the
// focus on to another control, and is tested then.
class PriceFieldEvents final : public QObject {
  public:
    // `form` must outlive this; the fields of `widgets` are watched until this goes.
    PriceFieldEvents(Form& form, const ControlWidgets& widgets, QWidget* window);

    // Tests the entry of the price field that has the focus as leaving it would, but leaves the
    // focus there: a refused entry is explained and selected for mending, an emptied field gets
    // its word back. Returns whether what the fields hold may be used; with no price field in
    // the focus there is nothing to test.
    bool focused_entry_accepted();

    // Watches the window's menu bar for the focus it hands on.
    void watch_menu_bar(QWidget* menu_bar);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void entered(Control field, QLineEdit* edit, Qt::FocusReason reason);
    // Returns whether the field has the focus back, its departure undone.
    bool left(Control field, QLineEdit* edit, Qt::FocusReason reason);
    void menu_bar_left(Qt::FocusReason reason);
    void released(Control field, QLineEdit* edit);
    // Returns whether the entry was refused.
    bool entry_refused(Control field);

    Form& form_;
    QWidget* window_;
    QHash<const QObject*, Control> fields_;
    // While a field's entry is tested, the focus the test puts back is no departure of its own.
    bool testing_ = false;
    // The field entered by a mouse press, selected whole when the button is released.
    QPointer<QLineEdit> clicked_into_;
    QWidget* menu_bar_ = nullptr;
    // The field the menu bar took the keyboard from, until it is left or has the focus again.
    std::optional<Control> left_for_menu_bar_;
    CancelledPress cancelled_press_;
};

}  // namespace corvandel
