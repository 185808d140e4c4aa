#pragma once

#include <QString>

#include <cstddef>
#include <string>

// Texts of the item record are bytes: UTF-8 when written here; older projects hold single-byte
// texts, shown as Latin-1.
namespace recordtext {

bool isValidUtf8(const std::string& bytes);
// The bytes as text: UTF-8 when they are valid UTF-8, otherwise Latin-1.
QString toText(const std::string& bytes);
// The text as record bytes (UTF-8).
std::string fromText(const QString& text);
// The bytes cut to at most `maxBytes`; valid UTF-8 is cut on a character boundary.
std::string cut(std::string bytes, std::size_t maxBytes);

} // namespace recordtext
