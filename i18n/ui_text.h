// The engine names what the table shows as a UiText: a row of one of the two
// word tables followed by a literal tail ("I play on " and "65"), or a
// literal text alone. Here it becomes the text in the current language.
#pragma once

#include <QString>

namespace varnok {
struct UiText;  // presenter.h
}

namespace varnok::i18n {

// The row's text in the current language followed by the tail; a literal
// text as it stands. The engine's strings (tails, player names) are UTF-8.
QString Caption(const UiText& text);

}  // namespace varnok::i18n
