#pragma once

class QComboBox;
class QWidget;

namespace qrl {

// A type list: the nine type names in subtype order, so that an index is a ResourceSubtype.
QComboBox* makeTypeList(QWidget* parent);

} // namespace qrl
