#pragma once
#include <cstddef>
#include <string>
#include <string_view>

// Text from outside for an error line: bytes that are not printable ASCII shown as '?',
// cut after `limit` bytes with the full length after it, so that a huge or binary token
// can neither flood nor garble the terminal.
std::string Printable(std::string_view text, size_t limit = 200);
// The same for one token, in single quotes.
std::string ShortQuote(std::string_view token, size_t limit = 32);
