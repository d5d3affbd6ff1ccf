#pragma once

#include "core/card.h"

#include <string>
#include <string_view>

// The Statcard as plain text, for pasting into a chat or a forum post in a monospaced font:
// every field that has a value, the line of every slot with a weapon and every special
// option, wrapped so that no line is wider than `width` columns and nothing is cut.
namespace ivc {

inline constexpr int kTextCardWidth = 80;

std::string textCard(const CardTexts& card, int width = kTextCardWidth);

// Columns a UTF-8 text takes in a monospaced font: East Asian wide letters take two,
// combining marks none, any other character one.
int displayWidth(std::string_view utf8);

} // namespace ivc
