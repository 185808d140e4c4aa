#include "FileMapRows.h"

#include "CGlobalPrefs.h"
#include "CProjItem.h"
#include "ResourceTypes.h"
#include "TextFormat.h"

namespace qrl::filemap {

namespace {

const char* const kExtensionTaken = "The extension is already available, please rename it, then try again";
const char* const kMultipleExtension =
    "INFO : Multiple extension \n\n\nThe extension '%s' in the line %d is already used in line %d "
    "\n\nPlease change one of the extension '%s'";
const char* const kBadExtension =
    "The extension '%s' in the line %d can not be stored.\n\nAn extension holds one to three "
    "characters and no ';' or ','.";

// The subtype whose type name the description is, -1 for none.
int indexOfName(const QString& description)
{
    for (int i = 0; i < kSubtypeCount; ++i)
        if (description == subtypeName(i))
            return i;
    return -1;
}

} // namespace

std::vector<Row> rowsFromPrefs(const CGlobalPrefs& prefs)
{
    std::vector<Row> rows;
    rows.reserve(static_cast<std::size_t>(prefs.count()));
    for (int i = 0; i < prefs.count(); ++i) {
        const FileMapEntry& e = prefs.GetAt(i);
        rows.push_back({e.description, e.extension, e.typeWord, prefs.KindByExtension(e.extension)});
    }
    return rows;
}

ResourceKind kindOfDescription(const QString& description)
{
    switch (indexOfName(description)) {
    case kTrueTypeFont:
    case kPclEoFont:
    case kPclBitmapPortraitFont:
    case kPclBitmapLandscapeFont:
    case kZentrixBitmapFont:
        return kKindFont;
    case kPclMacro:
    case kTelluradeMacro:
        return kKindMacro;
    case kApplicationForm:
        return kKindForm;
    default:
        return kKindData;
    }
}

QString typeWordOfDescription(const QString& description)
{
    return CProjItem::TypeWordOfKind(kindOfDescription(description));
}

int listIndexOfDescription(const QString& description)
{
    const int index = indexOfName(description);
    return index < 0 ? 0 : index;
}

void setRowByType(Row& row, const QString& description, const QString& extension)
{
    row.description = description;
    row.typeWord = typeWordOfDescription(description);
    row.kind = kindOfDescription(description);
    row.extension = extension;
}

bool extensionTaken(const std::vector<Row>& rows, const QString& extension, int skip)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        if (static_cast<int>(i) != skip && rows[i].extension.compare(extension, Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

bool canRemove(int row)
{
    return row >= kFixedRows;
}

bool addRow(std::vector<Row>& rows, const QString& description, const QString& extension)
{
    if (extensionTaken(rows, extension))
        return false;
    Row row;
    setRowByType(row, description, extension);
    rows.push_back(row);
    return true;
}

bool modifyRow(std::vector<Row>& rows, int row, const QString& description, const QString& extension)
{
    if (row < 0 || row >= static_cast<int>(rows.size()) || extensionTaken(rows, extension))
        return false;
    setRowByType(rows[static_cast<std::size_t>(row)], description, extension);
    return true;
}

QString extensionTakenMessage()
{
    return QString::fromLatin1(kExtensionTaken);
}

std::optional<Fault> findFault(const std::vector<Row>& rows)
{
    const int count = static_cast<int>(rows.size());
    for (int later = 0; later < count; ++later) {
        const QString& ext = rows[static_cast<std::size_t>(later)].extension;
        for (int earlier = 0; earlier < later; ++earlier)
            if (rows[static_cast<std::size_t>(earlier)].extension.compare(ext, Qt::CaseInsensitive) == 0)
                return Fault{later, formatText(QString::fromLatin1(kMultipleExtension),
                                               {ext, later + 1, earlier + 1, ext})};
        if (!CGlobalPrefs::isStorableExtension(ext) || ext.size() > kMaxExtensionLength)
            return Fault{later, formatText(QString::fromLatin1(kBadExtension), {ext, later + 1})};
    }
    return std::nullopt;
}

bool applyRows(CGlobalPrefs& prefs, const std::vector<Row>& rows)
{
    if (findFault(rows))
        return false;
    prefs.RemoveAll();
    for (std::size_t i = 0; i < rows.size(); ++i)
        prefs.Add({rows[i].typeWord, rows[i].extension, rows[i].description, static_cast<int>(i)});
    return prefs.Save();
}

} // namespace qrl::filemap
