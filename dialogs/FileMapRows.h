#pragma once

#include "ResourceTypes.h"

#include <QString>

#include <optional>
#include <vector>

class CGlobalPrefs;

// The working rows of the "File Mappings" page and the rules the page applies to them; no widgets,
// so the rules are tested without a display.
namespace qrl::filemap {

struct Row {
    QString description;
    QString extension;
    QString typeWord;
    ResourceKind kind = kKindFont; // the row's icon
};

// The first rows (the built-in ones) keep their description and cannot be removed.
inline constexpr int kFixedRows = 10;
inline constexpr int kMaxExtensionLength = 3;

std::vector<Row> rowsFromPrefs(const CGlobalPrefs& prefs);

// The type word and the kind (the icon) that follow from a description: the five font names
// "FONT", the two macro names "MACRO", the form "FORM", everything else "DATA".
QString typeWordOfDescription(const QString& description);
ResourceKind kindOfDescription(const QString& description);
// The type list index of a description, 0 when it is none of the nine names.
int listIndexOfDescription(const QString& description);

// Sets a row by the type rule: description, type word and extension.
void setRowByType(Row& row, const QString& description, const QString& extension);

// True when some row other than `skip` holds the extension (case ignored). Pass -1 to check all rows.
bool extensionTaken(const std::vector<Row>& rows, const QString& extension, int skip = -1);

bool canRemove(int row);

// Appends a row set by the type rule; false (nothing changes) when the extension is already taken.
bool addRow(std::vector<Row>& rows, const QString& description, const QString& extension);
// Gives the row a new extension and sets it by the type rule; false (nothing changes) when any row,
// the row itself included, already holds the extension.
bool modifyRow(std::vector<Row>& rows, int row, const QString& description, const QString& extension);

// The text shown when a new or changed mapping names an extension already in the list.
QString extensionTakenMessage();

// The first fault of the rows, for the page's validation: a duplicate extension (the later row),
// or an extension that cannot be stored (empty, longer than three characters, or holding ";" or ",",
// which the stored value uses as separators).
struct Fault {
    int row = 0;
    QString message;
};
std::optional<Fault> findFault(const std::vector<Row>& rows);

// Rewrites the map from the rows (RemoveAll, one Add per row, Save). Refuses faulty rows before the
// map changes. Returns false when refused or when the profile write fails.
bool applyRows(CGlobalPrefs& prefs, const std::vector<Row>& rows);

} // namespace qrl::filemap
