#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// The tools write UTF-8. Names in the logs and the tree are bytes of whatever the
// recording side used; anything that is not well-formed UTF-8 is replaced by U+FFFD,
// one replacement per maximal ill-formed piece, as Unicode recommends.
std::string SanitizeUtf8(std::string_view bytes);

// Number of code points of well-formed UTF-8 text (for column alignment).
std::size_t CodePointCount(std::string_view utf8);
