#pragma once

#include <QString>
#include <QWidget>

#include <string>
#include <string_view>

#include "form/form.h"
#include "ui/entry/warning_box.h"
#include "ui/window/control_widgets.h"

namespace corvandel {

// The main window's controls as the rules see them: texts, ticks, focus, the pictures list and
// warnings, carried out on the widgets.
class QtForm final : public Form {
  public:
    // `widgets` must be filled before the rules first use the form; warnings are shown over
    // `window`, each about the field it concerns where that is known.
    QtForm(const ControlWidgets& widgets, QWidget* window, WarningBox warning_box);

    std::string text(Control control) const override;
    void set_text(Control control, std::string_view text) override;
    int tick(Control control) const override;
    void set_tick(Control control, int value) override;
    void set_enabled(Control control, bool enabled) override;
    void focus(Control control) override;
    void select_all(Control control) override;
    void append_entry(Control control, std::string_view entry) override;
    void warn(std::string_view title, std::string_view message) override;
    // Over the field, and after its message, word for word, the hint about the decimal
    // separator where the entry seems written the desktop's way.
    void warn_about(Control field, std::string_view title, std::string_view message) override;

    // A warning of the window's own, about `subject`: a control, or the window.
    void show_warning(QWidget* subject, const QString& title, const QString& message);

  private:
    QWidget* widget(Control control) const { return widgets_[index(control)]; }

    const ControlWidgets& widgets_;
    QWidget* window_;
    WarningBox warning_box_;
};

}  // namespace corvandel
