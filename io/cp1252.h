#pragma once
// Texts in the core are Windows-1252 bytes: one character is one byte.
// These convert at the boundary with the UTF-16 text of the user interface.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace korvane {

// UTF-16 to Windows-1252. A character that Windows-1252 cannot hold
// becomes "?".
std::string ToCp1252(std::u16string_view text);

// Windows-1252 to UTF-16. The five bytes that Windows-1252 leaves undefined
// (0x81, 0x8D, 0x8F, 0x90, 0x9D) map to the C1 controls of the same value.
std::u16string FromCp1252(std::string_view bytes);

// The Unicode character of one Windows-1252 byte (the undefined five as
// their C1 controls, as FromCp1252).
//   'A' -> U+0041   0x80 -> U+20AC (euro)   0xB1 -> U+00B1   0x81 -> U+0081
char32_t Cp1252Char(char byte);

// The Windows-1252 byte of a Unicode character, or nothing when Windows-1252
// has none.
//   U+00B1 -> 0xB1   U+20AC -> 0x80   U+0081 -> 0x81   U+03A9 (omega) -> none
std::optional<char> Cp1252Byte(char32_t c);

// The UTF-8 of one character, appended to `out`.
//   U+0041 -> "A"   U+00B1 -> "\xC2\xB1"   U+20AC -> "\xE2\x82\xAC"
void AppendUtf8(std::string& out, char32_t c);

// The character whose UTF-8 starts at `pos`, moving `pos` past it; nothing,
// with `pos` unmoved, when the bytes there are not one (a stray continuation
// byte, a sequence cut short, an overlong form, a surrogate, or a value
// above U+10FFFF).
//   "\xC2\xB1x" at 0 -> U+00B1, pos 2   "\xC0\x80" -> none   "\xE2\x82" -> none
std::optional<char32_t> NextUtf8(std::string_view text, std::size_t& pos);

// Windows-1252 to UTF-8.
//   "12AX7 \xB1" -> "12AX7 \xC2\xB1"   "\x80" -> "\xE2\x82\xAC"
std::string ToUtf8FromCp1252(std::string_view bytes);

// UTF-8 to Windows-1252; nothing when the text is not valid UTF-8 or holds
// a character that Windows-1252 has no byte for.
//   "\xC2\xB1" -> "\xB1"   "\xCE\xA9" (omega) -> none   "\xFF" -> none
std::optional<std::string> Cp1252FromUtf8(std::string_view utf8);

}  // namespace korvane
