#include "CPrintSetupDlg.h"

#include "CZenPrinter.h"
#include "DialogButtons.h"
#include "FillPrinterComboBox.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QPrinterInfo>
#include <QRadioButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

#include <algorithm>

namespace {

// Offered when the printer names no sizes of its own (no driver, or a printer the desktop's
// printing system does not know).
const QPageSize::PageSizeId kCommonSizes[] = {QPageSize::A4,        QPageSize::Letter, QPageSize::Legal,
                                              QPageSize::A3,        QPageSize::A5,     QPageSize::B5,
                                              QPageSize::Executive, QPageSize::Tabloid};

} // namespace

CPrintSetupDlg::CPrintSetupDlg(const PrintSetupChoice& choice, qrl::Spooler* spooler, QWidget* parent)
    : QDialog(parent), m_printer(std::make_unique<CZenPrinter>(spooler))
{
    setObjectName(QStringLiteral("printSetupDialog"));
    setWindowTitle(QStringLiteral("Print Setup"));
    m_printers = new QComboBox(this);
    m_printers->setObjectName(QStringLiteral("printerCombo"));
    FillPrinterComboBox(*m_printer, m_printers);
    if (!choice.printerName.isEmpty()) {
        if (m_printers->findText(choice.printerName) < 0)
            m_printers->addItem(choice.printerName);
        m_printers->setCurrentIndex(m_printers->findText(choice.printerName));
    }
    m_paper = new QComboBox(this);
    m_paper->setObjectName(QStringLiteral("paperCombo"));
    fillPaperSizes(choice.pageSize);
    connect(m_printers, &QComboBox::currentIndexChanged, this,
            [this] { fillPaperSizes(this->choice().pageSize); });

    m_portrait = new QRadioButton(QStringLiteral("P&ortrait"), this);
    m_portrait->setObjectName(QStringLiteral("portrait"));
    m_landscape = new QRadioButton(QStringLiteral("L&andscape"), this);
    m_landscape->setObjectName(QStringLiteral("landscape"));
    (choice.orientation == QPageLayout::Landscape ? m_landscape : m_portrait)->setChecked(true);

    auto* printerBox = new QGroupBox(QStringLiteral("Printer"), this);
    auto* printerForm = new QFormLayout(printerBox);
    printerForm->addRow(QStringLiteral("&Name:"), m_printers);
    auto* paperBox = new QGroupBox(QStringLiteral("Paper"), this);
    auto* paperForm = new QFormLayout(paperBox);
    paperForm->addRow(QStringLiteral("Si&ze:"), m_paper);
    auto* orientationBox = new QGroupBox(QStringLiteral("Orientation"), this);
    auto* orientation = new QVBoxLayout(orientationBox);
    orientation->addWidget(m_portrait);
    orientation->addWidget(m_landscape);
    auto* page = new QHBoxLayout;
    page->addWidget(paperBox, 1);
    page->addWidget(orientationBox);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(printerBox);
    layout->addLayout(page);
    layout->addLayout(qrl::okCancelRow(this));
}

CPrintSetupDlg::~CPrintSetupDlg() = default;

void CPrintSetupDlg::fillPaperSizes(const QPageSize& keep)
{
    const QList<QPageSize> named = QPrinterInfo::printerInfo(m_printers->currentText()).supportedPageSizes();
    m_sizes.assign(named.begin(), named.end());
    if (m_sizes.empty())
        for (const QPageSize::PageSizeId id : kCommonSizes)
            m_sizes.emplace_back(id);
    int chosen = -1;
    for (std::size_t i = 0; i < m_sizes.size() && chosen < 0; ++i)
        if (keep.isValid() && m_sizes[i].isEquivalentTo(keep))
            chosen = static_cast<int>(i);
    if (chosen < 0 && keep.isValid()) {
        m_sizes.insert(m_sizes.begin(), keep);
        chosen = 0;
    }
    const QSignalBlocker block(m_paper);
    m_paper->clear();
    for (const QPageSize& size : m_sizes)
        m_paper->addItem(size.name());
    m_paper->setCurrentIndex(std::max(chosen, 0));
}

PrintSetupChoice CPrintSetupDlg::choice() const
{
    PrintSetupChoice c;
    c.printerName = m_printers->currentText();
    const int paper = m_paper->currentIndex();
    if (paper >= 0 && static_cast<std::size_t>(paper) < m_sizes.size())
        c.pageSize = m_sizes[static_cast<std::size_t>(paper)];
    c.orientation = m_landscape->isChecked() ? QPageLayout::Landscape : QPageLayout::Portrait;
    return c;
}
