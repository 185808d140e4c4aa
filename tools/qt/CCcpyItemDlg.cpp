#include "CCcpyItemDlg.h"
#include "DialogButtons.h"
#include "ToolsTextIds.h"

#include "CcpyCommandText.h"
#include "CcpyPageRules.h"
#include "NameRefused.h"
#include "StringTable.h"
#include "TextFormat.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>

CCcpyItemDlg::CCcpyItemDlg(int pageNumber, bool duplex, const std::vector<Overlay>& overlays,
                           const CcpyPage* frontSide, QWidget* parent)
    : QDialog(parent), m_pageNumber(pageNumber), m_duplex(duplex), m_overlays(overlays)
{
    setObjectName(QStringLiteral("ccpyPageDialog"));
    int titleId = qrl::ids::kCcpyPageTitle;
    if (duplex)
        titleId = isBackSide() ? qrl::ids::kCcpyBackSideTitle : qrl::ids::kCcpyFrontSideTitle;
    setWindowTitle(qrl::formatText(qrl::text(titleId), {pageNumber}));

    m_form = new QFormLayout;
    auto* number = new QLabel(QString::number(pageNumber), this);
    number->setObjectName(QStringLiteral("pageNumberLabel"));
    m_form->addRow(QStringLiteral("Page No"), number);
    m_cassette = addList("C&assette", "cassetteList", qrl::ccpy::cassetteEntries());
    QStringList overlayEntries{qrl::text(qrl::ids::kCcpyNone)};
    for (const Overlay& overlay : m_overlays)
        overlayEntries.append(overlay.text);
    m_overlay = addList("O&verlay", "overlayList", overlayEntries);
    m_resolution = addList("&Resolution", "resolutionList", qrl::ccpy::resolutionEntries());
    m_dataOverlay = addList("&Data / Overlay", "dataOverlayList", qrl::ccpy::dataOverlayEntries());
    m_stack = addList("&Stack", "stackList", qrl::ccpy::stackEntries());
    connect(m_overlay, &QComboBox::currentIndexChanged, this, &CCcpyItemDlg::onOverlayChanged);

    m_info = new QLabel(qrl::text(qrl::ids::kCcpyBackSideInfo), this);
    m_info->setObjectName(QStringLiteral("infoLabel"));
    m_info->setVisible(isBackSide());
    if (isBackSide() && frontSide) {
        m_cassette->setCurrentIndex(std::max(0, m_cassette->findText(frontSide->cassetteText)));
        m_stack->setCurrentIndex(std::max(0, m_stack->findText(frontSide->stackText)));
        m_cassette->setEnabled(false);
        m_stack->setEnabled(false);
    }

    QHBoxLayout* buttons = qrl::okCancelRow(this);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    layout->addWidget(m_info);
    layout->addLayout(buttons);
}

QComboBox* CCcpyItemDlg::addList(const char* label, const char* objectName, const QStringList& entries)
{
    auto* list = new QComboBox(this);
    list->setObjectName(QString::fromLatin1(objectName));
    list->addItems(entries);
    list->setCurrentIndex(0);
    auto* text = new QLabel(QString::fromLatin1(label), this);
    text->setBuddy(list);
    m_form->addRow(text, list);
    return list;
}

void CCcpyItemDlg::onOverlayChanged(int position)
{
    if (position == 0)
        m_dataOverlay->setCurrentIndex(0);
}

void CCcpyItemDlg::accept()
{
    qrl::ccpy::PageChoice choice;
    choice.cassette = m_cassette->currentIndex();
    choice.overlay = m_overlay->currentIndex();
    if (choice.overlay > 0) {
        const Overlay& overlay = m_overlays.at(static_cast<std::size_t>(choice.overlay - 1));
        if (!qrl::ccpy::isCallableName(overlay.name)) {
            qrl::printing::showNameRefused(overlay.name);
            return;
        }
        choice.overlayName = overlay.name;
        choice.overlayText = overlay.text;
    }
    choice.dataOverlay = m_dataOverlay->currentIndex();
    choice.resolution = m_resolution->currentIndex();
    choice.stack = m_stack->currentIndex();
    m_page = qrl::ccpy::makePage(choice);
    QDialog::accept();
}
