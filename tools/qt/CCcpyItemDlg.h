#pragma once

#include "CcpyJob.h"

#include <QDialog>

#include <vector>

class QComboBox;
class QFormLayout;
class QLabel;

// "Multi-Part Form - Page": describes one new page of the multi-part form. The creator gives the
// page number, the duplex switch, its overlay macros and, for a back side, the front side's page,
// whose cassette and stack the back side keeps. OK answers Accepted with the page in page().
class CCcpyItemDlg : public QDialog {
    Q_OBJECT
public:
    // One overlay a page can call: the bytes CALL names and the text the list shows.
    struct Overlay {
        QByteArray name;
        QString text;
    };

    CCcpyItemDlg(int pageNumber, bool duplex, const std::vector<Overlay>& overlays, const CcpyPage* frontSide,
                 QWidget* parent = nullptr);

    const CcpyPage& page() const { return m_page; }
    // A back side: duplex on and an even page number.
    bool isBackSide() const { return m_duplex && m_pageNumber % 2 == 0; }

    // Refuses, with message kNameNotSendable, an overlay whose name cannot stand in a CALL command.
    void accept() override;

private:
    QComboBox* addList(const char* label, const char* objectName, const QStringList& entries);
    void onOverlayChanged(int position);

    int m_pageNumber;
    bool m_duplex;
    std::vector<Overlay> m_overlays;
    CcpyPage m_page;
    QComboBox* m_cassette = nullptr;
    QComboBox* m_overlay = nullptr;
    QComboBox* m_resolution = nullptr;
    QComboBox* m_dataOverlay = nullptr;
    QComboBox* m_stack = nullptr;
    QLabel* m_info = nullptr;
    QFormLayout* m_form = nullptr;
};
