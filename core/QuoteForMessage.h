#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace Brisvane {

// A text as it may appear inside a message to the user: in double quotes,
// always valid UTF-8, and unable to disturb the sentence around it.
// Characters that would cut, split, reorder or hide the message are shown
// as escapes: C0 and C1 controls, DEL and bytes that are not UTF-8 as \xNN
// or \uNNNN, and so are format characters (the bidirectional controls such
// as U+202E among them) and the line and paragraph separators. The quoted
// part stops with an ellipsis after `maxColumns` columns, an East Asian wide
// character counting two and an escape its length, so that the message
// keeps a sensible width whatever it quotes.
std::string QuoteForMessage(std::string_view text, std::size_t maxColumns = 60);

// The escapes such a message writes: a character as \uNNNN, or \UNNNNNNNN
// past U+FFFF; a byte that is not UTF-8 as \xNN.
std::string EscapeOf(char32_t code);
std::string EscapeOfByte(unsigned char byte);

}  // namespace Brisvane
