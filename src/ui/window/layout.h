#pragma once

#include <array>
#include <optional>
#include <string_view>

#include "form/control.h"

namespace corvandel {

// Positions and sizes are in twips; at 96 dots per inch fifteen twips make a pixel.
inline constexpr int twips_per_pixel = 15;

struct TwipsRect {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// The client area below the menu bar.
inline constexpr TwipsRect window_client_area{0, 0, 11910, 7815};

enum class ControlKind {
    frame,
    text_box,
    result_field,
    tick_box,
    drop_down,
    label,
    line,
    push_button
};

struct FontStyle {
    std::string_view family;
    double point_size = 0;
    bool bold = false;
};

inline constexpr FontStyle window_font{"Verdana", 9.75, false};

// The desktop colours by their system index; the toolkit decides the shades.
enum class SystemColour { scroll_bar = 0, inactive_title_bar = 3 };

struct Placement {
    Control control;
    ControlKind kind;
    // The frame the control sits in, or none for the window's client area.
    std::optional<Control> frame;
    // Relative to the frame's own rectangle, caption strip included. A line runs from the
    // rectangle's top-left corner over its width and height, one pixel wide.
    TwipsRect twips;
    // Only where the control does not use the window font.
    std::optional<FontStyle> font = std::nullopt;
    // A frame's fill, or a line's colour; the desktop's standard colours otherwise.
    std::optional<SystemColour> colour = std::nullopt;
    // The text a text box or the drop-down box shows when the window is created; captions come
    // from the control list.
    std::string_view text_at_creation = {};
};

// Every control of the main window, in the order of the control list, so that each frame
// comes before what it holds and a later control is drawn over an earlier one it overlaps.
extern const std::array<Placement, control_count> main_window_layout;

const Placement& placement(Control control);

// The order in which Tab visits the controls that take the focus.
inline constexpr std::array tab_order{
    Control::txt_item_cost, Control::txt_start_price, Control::txt_bin,
    Control::txt_reserve,   Control::txt_end_price,   Control::txt_ship_charged,
    Control::txt_ship_cost, Control::txt_other_costs, Control::combo_num_pics,
    Control::chk_pic_show,  Control::chk_supersize,   Control::chk_pic_pack,
    Control::chk_gallery,   Control::chk_bold,        Control::chk_10day,
    Control::chk_border,    Control::chk_sub,         Control::chk_highlight,
    Control::chk_gift,      Control::chk_doublecat,   Control::chk_gfeatured,
    Control::chk_fplus,     Control::chk_hfeatured,   Control::chk_paypal,
    Control::cmd_calc,      Control::cmd_clear,
};

}  // namespace corvandel
