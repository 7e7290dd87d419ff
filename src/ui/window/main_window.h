#pragma once

#include <QMainWindow>
#include <QMargins>
#include <QPointer>
#include <QRect>
#include <QScrollArea>
#include <QWidget>

#include "calc/calculator.h"
#include "form/control.h"
#include "ui/about/about_dialog.h"
#include "ui/entry/price_field_events.h"
#include "ui/entry/warning_box.h"
#include "ui/help/quick_help.h"
#include "ui/window/control_widgets.h"
#include "ui/window/qt_form.h"

namespace corvandel {

// The program's one working window: every control at its fixed place, the menu bar, the tab
// order and the Enter key that runs Calculate from anywhere in the window.
class MainWindow final : public QMainWindow {
    Q_OBJECT

  public:
    explicit MainWindow(WarningBox warning_box = show_warning_box);
    ~MainWindow() override;

    QWidget* control(Control control) const { return controls_[index(control)]; }

  private slots:
    void cmd_calc_Click();
    void cmd_clear_Click();
    void Exit_Click();
    void About_Click();

  private:
    void Form_Load();

    void build_menu();
    void set_tab_order();
    void give_enter_to_buttons();
    void connect_tick_boxes();
    void warn_of_refused_texts();
    void press_default_button();
    void place_on_screen();
    void step_aside_from_others(QRect& frame_rect, const QMargins& frame, int menu_bar) const;

    // The controls are children of the client area and go with the window's base class, after
    // every member: the helpers that watch them are declared after what they refer to, so they
    // stop watching before the form and the control list go.
    QScrollArea* scroller_;
    QWidget* client_area_;
    ControlWidgets controls_;
    QtForm form_;
    Calculator calculator_;
    PriceFieldEvents price_field_events_;
    QuickHelp quick_help_;
    // A window of its own beside this one, with no parent: it discards itself when closed, and
    // this window's destructor discards it if it is still open.
    QPointer<AboutDialog> about_;
};

}  // namespace corvandel
