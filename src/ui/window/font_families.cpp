#include "ui/window/font_families.h"

#include <QFontDatabase>
#include <QStringList>

#include "ui/window/qt_values.h"

namespace corvandel {

namespace {

struct StandIn {
    std::string_view family;
    std::string_view stand_in;
};

// What fontconfig matches for each family of the layout on a desktop that lacks it, as
// `fc-match` shows on Debian: DejaVu Sans, in every weight.
constexpr StandIn stand_ins[] = {
    {"Verdana", "DejaVu Sans"},
    {"MS Sans Serif", "DejaVu Sans"},
};

}  // namespace

QString installed_family(std::string_view family) {
    // Read once: the fonts installed do not change while the program runs.
    static const QStringList installed = QFontDatabase::families();
    const QString wanted = to_qstring(family);
    if (installed.contains(wanted, Qt::CaseInsensitive)) {
        return wanted;
    }
    for (const StandIn& row : stand_ins) {
        const QString stand_in = to_qstring(row.stand_in);
        if (row.family == family && installed.contains(stand_in, Qt::CaseInsensitive)) {
            return stand_in;
        }
    }
    // Neither is there: the font matcher's search is all that is left.
    return wanted;
}

}  // namespace corvandel
