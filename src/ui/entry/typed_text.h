#pragma once

#include <QLineEdit>

namespace corvandel {

// The most a text box the seller types into holds: far beyond any price or count of pictures,
// yet short enough that the box lays its text out at once. A longer text, typed or pasted, is
// refused whole, never cut.
inline constexpr qsizetype longest_typed_text = 1000;

// Makes a text box take only what the seller types or pastes, up to the longest text: nothing
// dragged onto it, which would arrive without the entering and leaving tests; nothing typed with
// Alt held, since the window's menus have no access keys for it to reach. A refused text
// raises the box's inputRejected signal and leaves its text as it was.
void take_typed_text_only(QLineEdit* edit);

// How long the last text refused by such a box was.
qsizetype refused_length(const QLineEdit* edit);

}  // namespace corvandel
