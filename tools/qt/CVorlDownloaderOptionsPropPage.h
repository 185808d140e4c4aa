#pragma once

#include "VorlDownloaderOptions.h"

#include <QWidget>

class QCheckBox;
class QRadioButton;

// "Vorl Font Downloader Options", a page of the preferences sheet: whether the downloader offers
// "Modify target directory name", and which font list "Print font list" sends. Loads the stored
// "VorlDownloaderOptions" when made; apply() writes the page's choice back.
class CVorlDownloaderOptionsPropPage : public QWidget {
    Q_OBJECT
public:
    explicit CVorlDownloaderOptionsPropPage(QWidget* parent = nullptr);

    // The controls as they stand.
    qrl::vorloptions::PageChoice choice() const;
    // The value as last read or written.
    int optionValue() const { return m_optionValue; }
    // Writes the controls' value to the profile; false when the profile cannot be written.
    bool apply();

signals:
    // A control was changed (the sheet's Apply becomes active).
    void changed();

private:
    QCheckBox* m_allowModifyTarget = nullptr;
    QRadioButton* m_flstMethod = nullptr;
    QRadioButton* m_postScriptMethod = nullptr;
    int m_optionValue = 0;
};
