#pragma once

#include "CAppOptsSettings.h"

#include <QWidget>

class QButtonGroup;
class QCheckBox;

// "Global Options", the first page of the preferences sheet: the splash screen at start-up, what
// the program opens at start-up, and the verbose font id messages. apply() stores the controls
// (the sheet calls it on OK and on Apply); any click emits modified().
class CAppOptsPropPage : public QWidget {
    Q_OBJECT
public:
    CAppOptsPropPage(const qrl::appopts::Values& initial, qrl::appopts::StartUpSink sink,
                     QWidget* parent = nullptr);

    // The controls as they stand.
    qrl::appopts::Values values() const;
    // Stores values(); false when the profile refused a write.
    bool apply();
    bool isModified() const { return m_modified; }

signals:
    void modified();

private:
    void markModified();

    QCheckBox* m_splash = nullptr;
    QButtonGroup* m_startUp = nullptr;
    QCheckBox* m_fontIdMessages = nullptr;
    int m_startUpOption = 0;
    qrl::appopts::StartUpSink m_sink;
    bool m_modified = false;
};
