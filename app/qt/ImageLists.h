#pragma once

#include <QIcon>
#include <QList>
#include <QPixmap>

// The project window's two image lists: small 16 pixel and large 32 pixel images, indexed as
// qrl::icons::kindImage (the four resource kinds, then the missing-file image).
class ImageLists {
public:
    static constexpr int kSmallSize = 16;
    static constexpr int kLargeSize = 32;

    ImageLists();

    const QList<QPixmap>& smallImages() const { return m_small; }
    const QList<QPixmap>& largeImages() const { return m_large; }
    // Both sizes of one image; a null icon for an index outside the lists.
    QIcon icon(int image) const;

private:
    QList<QPixmap> m_small;
    QList<QPixmap> m_large;
};

// The lists in use: made by the program's shell at start-up; nullptr before that. Not owned.
const ImageLists* imageLists();
void setImageLists(const ImageLists* lists);
