#pragma once

#include <QString>

#include <cstddef>
#include <string>

// Texts of the item record. The name is single bytes, one a character (qrl::singlebyte), as the
// printer commands carry it. The path is the desktop's file name (UTF-8), which only this program
// reads back.
namespace qrl::recordtext {

// The name's text, and the bytes a name is stored as.
QString nameText(const std::string& bytes);
std::string nameBytes(const QString& text);
// A name as a project file holds it, in today's single-byte form: an earlier build wrote UTF-8.
std::string storedName(const std::string& bytes);

bool isValidUtf8(const std::string& bytes);
// The path's text: UTF-8 when the bytes are valid UTF-8, otherwise Latin-1 (older projects).
QString pathText(const std::string& bytes);
// The path as record bytes (UTF-8).
std::string pathBytes(const QString& path);

// The bytes cut to at most `maxBytes`.
std::string cut(std::string bytes, std::size_t maxBytes);

} // namespace qrl::recordtext
