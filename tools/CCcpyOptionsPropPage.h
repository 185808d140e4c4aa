#pragma once

#include <QWidget>

#include <array>

class QCheckBox;

// "Multi-Part Form Creator Options": which comment lines the CCPY creator writes, six boxes kept
// as one mask in "Options" / "CcpyOptions". The page reads the stored mask when it is made,
// whatever the version-changed flag says; apply() stores the boxes' mask (bits 0x02-0x40 only).
class CCcpyOptionsPropPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBoxCount = 6;

    explicit CCcpyOptionsPropPage(QWidget* parent = nullptr);

    // The mask of the checked boxes.
    int mask() const;
    // Stores mask(); false when the profile refused the write.
    bool apply();
    bool isModified() const { return m_modified; }

signals:
    // A box was clicked: the sheet enables its Apply button.
    void modified();

private:
    std::array<QCheckBox*, kBoxCount> m_boxes{};
    bool m_modified = false;
};
