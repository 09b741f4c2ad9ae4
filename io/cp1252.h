#pragma once
// Texts in the core are Windows-1252 bytes: one character is one byte.
// These convert at the boundary with the UTF-16 text of the user interface.

#include <string>
#include <string_view>

namespace korvane {

// UTF-16 to Windows-1252. A character that Windows-1252 cannot hold
// becomes "?".
std::string ToCp1252(std::u16string_view text);

// Windows-1252 to UTF-16. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::u16string FromCp1252(std::string_view bytes);

}  // namespace korvane
