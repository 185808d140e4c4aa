#include "ImageLists.h"

#include "KindIcons.h"
#include "Replaceable.h"

namespace {
qrl::Replaceable<const ImageLists> currentLists;
} // namespace

ImageLists::ImageLists()
{
    for (int i = 0; i < qrl::icons::kKindImageCount; ++i) {
        m_small.append(qrl::icons::kindImage(i, kSmallSize));
        m_large.append(qrl::icons::kindImage(i, kLargeSize));
    }
}

QIcon ImageLists::icon(int image) const
{
    if (image < 0 || image >= m_small.size())
        return {};
    QIcon icon(m_small.at(image));
    icon.addPixmap(m_large.at(image));
    return icon;
}

const ImageLists* imageLists()
{
    return currentLists.get();
}

void setImageLists(const ImageLists* lists)
{
    currentLists.replace(lists);
}
