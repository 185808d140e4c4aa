#pragma once

#include <QWidget>

#include <array>

class QCheckBox;

// "EMCR Creator Options": which comment lines the EMCR creator writes into its enable and its
// disable file, as six boxes over the stored option mask. A page of the preferences sheet; the
// sheet calls apply() on OK and on Apply and enables Apply on modified().
class CEmcrOptionsPropPage : public QWidget {
    Q_OBJECT
public:
    explicit CEmcrOptionsPropPage(QWidget* parent = nullptr);

    // The mask of the checked boxes (bits not shown are never set).
    int mask() const;
    // Stores the mask in the profile; false when the profile refused it.
    bool apply();
    bool isModified() const { return m_modified; }

signals:
    void modified();

private:
    static constexpr int kBoxCount = 6;
    std::array<QCheckBox*, kBoxCount> m_boxes{};
    bool m_modified = false;
};
