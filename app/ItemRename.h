#pragma once

#include <QString>

#include <optional>

class CQuorlyn32Doc;

// Renaming an item in the project window's list.
namespace qrl::itemrename {

// Macros keep the names their files give them (the printer calls them by it): their rows cannot
// be edited.
bool canEditName(int subtype);
// Stores the edited name: an empty name is refused (nullopt, nothing changes); a TrueType font
// name over 31 bytes is cut after message kFontNameTooLong; any other name over the record's 32
// bytes, and a name with a character that has no single byte, is refused after a message
// (nullopt). Answers the name as stored, which the row shows.
std::optional<QString> renameItem(CQuorlyn32Doc& doc, int serial, const QString& text);

} // namespace qrl::itemrename
