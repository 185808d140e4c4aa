#pragma once

class QDialog;
class QHBoxLayout;

namespace qrl {

// The "&OK" (default) and "&Cancel" buttons of a dialog, right-aligned in a row, wired to accept
// and reject; object names "okButton" and "cancelButton". The caller adds the row to its layout.
QHBoxLayout* okCancelRow(QDialog* dialog);

} // namespace qrl
