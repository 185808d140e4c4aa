#include "TypeList.h"

#include "ResourceTypes.h"

#include <QComboBox>

namespace qrl {

QComboBox* makeTypeList(QWidget* parent)
{
    auto* list = new QComboBox(parent);
    for (int i = 0; i < kSubtypeCount; ++i)
        list->addItem(subtypeName(i));
    return list;
}

} // namespace qrl
