#include "ui/font_families.h"

#include <QFontDatabase>
#include <QStringList>

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

QString from_utf8(std::string_view text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

QString installed_family(std::string_view family) {
    // Read once: the fonts installed do not change while the program runs.
    static const QStringList installed = QFontDatabase::families();
    const QString wanted = from_utf8(family);
    if (installed.contains(wanted, Qt::CaseInsensitive)) {
        return wanted;
    }
    for (const StandIn& row : stand_ins) {
        const QString stand_in = from_utf8(row.stand_in);
        if (row.family == family && installed.contains(stand_in, Qt::CaseInsensitive)) {
            return stand_in;
        }
    }
    // Neither is there: the font matcher's search is all that is left.
    return wanted;
}

}  // namespace corvandel
