#pragma once

#include <QEvent>
#include <QObject>
#include <QPointer>
#include <QWidget>

#include "form/form.h"
#include "ui/control_widgets.h"

namespace corvandel {

// Runs the entering and leaving rules of the eight price fields on the window's focus events.
//
// A field is entered or left only when the focus moves between controls of the main window:
// by Tab, by the mouse or by the program. Switching to another window, opening a menu or a
// message box moves nothing, so nothing is tested and a selection is kept.
class PriceFieldEvents final : public QObject {
  public:
    PriceFieldEvents(Form& form, const ControlWidgets& widgets, QWidget* window);

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void entered(Control field, Qt::FocusReason reason);
    // Returns whether the field has the focus back, its departure undone.
    bool left(Control field, Qt::FocusReason reason);
    void released(Control field);
    void cancel_press_into(QWidget* target);
    void stop_cancelling();
    bool is_cancelled_press(QObject* watched, const QEvent* event) const;

    Form& form_;
    const ControlWidgets& widgets_;
    QWidget* window_;
    // While a field's leaving rule runs, the focus it puts back is no departure of its own.
    bool leaving_ = false;
    // The field entered by a mouse press, selected whole when the button is released.
    QWidget* clicked_into_ = nullptr;
    // A click that tried to leave a rejected entry brings its warning and nothing else: the
    // press that follows the refused focus move never reaches the control it was aimed at.
    QPointer<QWidget> cancelled_press_target_;
};

}  // namespace corvandel
