#include "ui/help/quick_help.h"

#include <QMouseEvent>
#include <QWindow>

#include <algorithm>
#include <array>
#include <iterator>
#include <string>

#include "calc/amount_text.h"
#include "calc/fee_schedule.h"
#include "input/start_up_values.h"
#include "ui/drawn/text_within_label.h"
#include "ui/window/layout.h"
#include "ui/window/qt_values.h"

namespace corvandel {

namespace {

using C = Control;
namespace schedule = fee_schedule;

// A price as the help line says it: cents below a dollar, whole dollars without decimals.
std::string price_in_words(Money price) {
    if (price < Money::from_count(Money::per_dollar)) {
        return std::to_string(price.cents()) + " cents";
    }
    const std::int64_t cents = price.cents();
    return "$" + (cents % 100 == 0 ? std::to_string(cents / 100) : amount_text(price));
}

std::string upgrade_price(Control box) {
    const auto& upgrades = schedule::listing_upgrades;
    return price_in_words(
        std::find_if(std::begin(upgrades), std::end(upgrades), [box](const auto& upgrade) {
            return upgrade.box == box;
        })->price);
}

struct QuickHelpText {
    Control control;
    std::string text;
};

// The sentences, with the prices the fee schedule charges.
const std::array<QuickHelpText, 22>& quick_help_texts() {
    static const std::array<QuickHelpText, 22> texts{{
        {C::txt_item_cost, "Enter the cost of your item."},
        {C::txt_start_price, "Enter the starting price for your item."},
        {C::txt_bin, "Enter the buy-it-now price for your item (optional)."},
        {C::txt_reserve, "Enter the reserve price for your item, enter 0 or None for no reserve."},
        {C::txt_end_price,
         "Enter your estimated end price for your item. Used to calculate final value fees e.t.c"},
        {C::txt_ship_charged, "Enter the amount you will charge for shipping."},
        {C::txt_ship_cost, "Enter the cost to ship your item."},
        {C::txt_other_costs,
         "Enter other costs associated with your sale (e.g handling, 3rd party fees e.t.c)."},
        {C::chk_pic_show,
         "Picture show displays your pictures at the top of your listing, Cost is " +
             price_in_words(schedule::picture_show) + "."},
        {C::chk_supersize,
         "Supersizes your pictures, cost is " + price_in_words(schedule::supersize_pictures) + "."},
        {C::chk_pic_pack, "Picture pack includes Picture show and Supersize, cost is " +
                              price_in_words(schedule::picture_pack_up_to_six) + " for up to " +
                              std::to_string(schedule::picture_pack_small_limit) +
                              " pictures and " + price_in_words(schedule::picture_pack_over_six) +
                              " for up to " + std::to_string(pictures_offered) + "."},
        {C::chk_gallery, "Gallery displays a picture next to your listing, cost is " +
                             upgrade_price(C::chk_gallery) + "."},
        {C::chk_bold,
         "Displays your listing in bold type, cost is " + upgrade_price(C::chk_bold) + "."},
        {C::chk_10day,
         "Extends your listing to 10 days, cost is " + upgrade_price(C::chk_10day) + "."},
        {C::chk_border, "Surrounds your listing with a border to improve visibility, cost is " +
                            upgrade_price(C::chk_border) + "."},
        {C::chk_highlight, "Highlights your listing for improved visibility, cost is " +
                               upgrade_price(C::chk_highlight) + "."},
        {C::chk_gift,
         "Displays the gift service icon, cost is " + upgrade_price(C::chk_gift) + "."},
        {C::chk_doublecat,
         "Updates the cost if you plan to list in 2 catergories. All listing costs are doubled."},
        {C::chk_gfeatured, "Features your item in the gallery featured section. Cost is " +
                               upgrade_price(C::chk_gfeatured)},
        {C::chk_fplus,
         "Features your item in the featured section, cost is " + upgrade_price(C::chk_fplus)},
        {C::chk_hfeatured,
         "Features your item on the eBaY hompepage, cost is " + upgrade_price(C::chk_hfeatured)},
        {C::chk_paypal,
         "Uncheck to not count paypal fees as part of your cost. Useful if you receive payment in "
         "Cash or Check"},
    }};
    return texts;
}

}  // namespace

std::optional<std::string_view> quick_help_text(Control control) {
    const auto& texts = quick_help_texts();
    const auto row = std::find_if(texts.begin(), texts.end(), [control](const QuickHelpText& text) {
        return text.control == control;
    });
    if (row == texts.end()) {
        return std::nullopt;
    }
    return row->text;
}

QuickHelp::QuickHelp(QWidget* client_area, const ControlWidgets& controls, QObject* parent)
    : QObject(parent), client_area_(client_area), controls_(controls) {}

void QuickHelp::watch_window() {
    client_area_->window()->windowHandle()->installEventFilter(this);
}

bool QuickHelp::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseMove) {
        pointer_moved(static_cast<QMouseEvent*>(event)->position().toPoint());
    }
    return QObject::eventFilter(watched, event);
}

void QuickHelp::pointer_moved(QPoint in_window) {
    const QWidget* under = client_area_->window()->childAt(in_window);
    // Over the menu bar or a scroll bar, or beyond the window while a button is held down.
    if (under == nullptr || (under != client_area_ && !client_area_->isAncestorOf(under))) {
        return;
    }
    if (const std::optional<Control> control = control_under(under)) {
        control_MouseMove(*control);
    } else {
        Form_MouseMove();
    }
}

// Lines are transparent to the mouse, so they are never found under the pointer; a disabled
// control or a part of a Qt widget (the drop-down box's edit field) hands the move to its
// container. None means the window's own background.
std::optional<Control> QuickHelp::control_under(const QWidget* under) const {
    for (const QWidget* widget = under; widget != nullptr && widget != client_area_;
         widget = widget->parentWidget()) {
        if (!widget->isEnabled()) {
            continue;
        }
        if (const std::optional<Control> control = control_of(widget)) {
            return control;
        }
    }
    return std::nullopt;
}

std::optional<Control> QuickHelp::control_of(const QWidget* widget) const {
    const auto found = std::find(controls_.begin(), controls_.end(), widget);
    if (found == controls_.end()) {
        return std::nullopt;
    }
    return static_cast<Control>(std::distance(controls_.begin(), found));
}

void QuickHelp::Form_MouseMove() {
    write_help_line({});
}

// The handler of every price field, option tick box and frame; other controls have none.
void QuickHelp::control_MouseMove(Control control) {
    if (const std::optional<std::string_view> text = quick_help_text(control)) {
        write_help_line(*text);
    } else if (placement(control).kind == ControlKind::frame) {
        write_help_line({});
    }
}

// Every move over a control writes its text again; only a change is worth laying out.
void QuickHelp::write_help_line(std::string_view text) {
    auto* help_line = qobject_cast<QLabel*>(controls_[index(Control::lbl_help)]);
    const QString new_text = to_qstring(text);
    if (help_line->text() != new_text) {
        show_text_within_label(help_line, new_text);
    }
}

}  // namespace corvandel
