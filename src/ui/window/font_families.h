#pragma once

#include <QString>

#include <string_view>

namespace corvandel {

// The family to ask the toolkit for when the layout names `family`: that family where it is
// installed, otherwise the installed family that the desktop's font matcher gives in its place.
// A family that is not installed sends the toolkit through the font matcher's fallback search
// for every font made from it; asking for the family the search would end in shows the same
// letters without it.
QString installed_family(std::string_view family);

}  // namespace corvandel
