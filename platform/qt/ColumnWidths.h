#pragma once

#include <QStringList>

class QTreeWidget;

namespace qrl {

// Widens a list's column so that it opens showing its header text, the texts of its rows and
// `moreTexts` (the entries its rows can take later) whole, in the list's own fonts and style
// margins. A column that is wider already, as the user or the profile left it, keeps its width.
void widenColumnToTexts(QTreeWidget* list, int column, const QStringList& moreTexts = {});

} // namespace qrl
