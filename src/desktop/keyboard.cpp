#include "desktop/desktop.h"

namespace corvandel::desktop {

bool typed_with_alt(const QKeyEvent& key) {
    const Qt::KeyboardModifiers held = key.modifiers();
    return held.testFlag(Qt::AltModifier) && !held.testFlag(Qt::ControlModifier) &&
           !held.testFlag(Qt::GroupSwitchModifier);
}

}  // namespace corvandel::desktop
