#pragma once

#include <QWidget>

#include <array>

class QCheckBox;

// A creator's options page: which comment lines (CMNT) it writes into its enable and its disable
// file, as six boxes over one stored bit mask, three in each file's group. The page reads the
// stored mask when it is made; apply() stores the boxes' mask. A page of the preferences sheet;
// the sheet calls apply() on OK and on Apply and enables Apply on modified().
class OptionsMaskPropPage : public QWidget {
    Q_OBJECT
public:
    static constexpr int kBoxCount = 6;

    struct Box {
        const char* objectName;
        int bit;
    };
    // What one creator's page has of its own. The six box texts are the same on every page.
    struct Definition {
        const char* objectName;
        const char* title;
        const char* enableGroup;
        const char* disableGroup;
        // In box order: version, time and explanation of the enable file, then of the disable file.
        std::array<Box, kBoxCount> boxes;
        int (*storedMask)();
        // False when the profile refused the write.
        bool (*storeMask)(int mask);
    };

    // `definition` must outlive the page.
    explicit OptionsMaskPropPage(const Definition& definition, QWidget* parent = nullptr);

    // The mask of the checked boxes (bits not shown are never set).
    int mask() const;
    // Stores mask(); false when the profile refused the write.
    bool apply();
    bool isModified() const { return m_modified; }

signals:
    // A box was clicked: the sheet enables its Apply button.
    void modified();

private:
    const Definition& m_definition;
    std::array<QCheckBox*, kBoxCount> m_boxes{};
    bool m_modified = false;
};
