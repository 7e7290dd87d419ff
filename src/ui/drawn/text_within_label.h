#pragma once

#include <QLabel>
#include <QString>

namespace corvandel {

// Writes the text into the label in the font the label inherits or, when the text would not
// fit the label's rectangle that way, in the largest smaller font in which it does, so that no
// word is cut off.
void show_text_within_label(QLabel* label, const QString& text);

}  // namespace corvandel
