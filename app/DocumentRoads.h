#pragma once

#include <QString>

class CQuorlyn32Doc;

// What the program's windows do with a whole project: its title, saving it, and the question
// before a modified project is closed.
namespace qrl::docroads {

// The file name of the project ("Untitled" before it was saved), with "*" while it is modified.
QString projectTitle(const CQuorlyn32Doc& doc);
// Saves the project under its name, or asks for one (`saveAs`, or a project never saved); the
// saved path joins the recent-file list. False when nothing was saved.
bool saveProject(CQuorlyn32Doc& doc, bool saveAs = false);
// Before a project closes: a modified one asks whether to save it (Yes saves, No drops the
// changes, Cancel keeps it open). True when the project may close.
bool mayClose(CQuorlyn32Doc& doc);

} // namespace qrl::docroads
