#include "CPrintToolArray.h"

#include "StringTable.h"
#include "TextFormat.h"
#include "ToolsTextIds.h"

#include <iterator>

namespace {

// One fixed row: its name and help text ids, its kind, its command, and the command for printers
// of the `Tarnwick` family where that differs (they store with RWRF where others use RWER).
struct FixedTool {
    int nameId;
    int helpId;
    int kind;
    const char* command;
    const char* tarnwickCommand;
};

constexpr int kFirstJobRow = 9;

constexpr FixedTool kFixedTools[] = {
    {qrl::ids::kToolPrintStatusPage, qrl::ids::kToolHelpStatusPage, kToolFixedCommand, "!R! STAT;EXIT;",
     nullptr},
    {qrl::ids::kToolPrintMacroList, qrl::ids::kToolHelpMacroList, kToolFixedCommand, "!R! MLST;EXIT;",
     nullptr},
    {qrl::ids::kToolPrintFontList, qrl::ids::kToolHelpFontList, kToolFixedCommand, "!R! FLST;EXIT;", nullptr},
    {qrl::ids::kToolFormatHardDisk, qrl::ids::kToolHelpFormatHardDisk, kToolFixedCommand,
     "!R!RWER I,D;RWER F,0;EXIT,E;\r\n", "!R!RWRF I,D;RWRF F,0;EXIT,E;\r\n"},
    {qrl::ids::kToolHardDiskPartitions, qrl::ids::kToolHelpHardDiskPartitions, kToolFixedCommand,
     "!R!RWER L,0;EXIT,E;\r\n", "!R!RWRF L,0;EXIT,E;\r\n"},
    {qrl::ids::kToolFormatPcmcia, qrl::ids::kToolHelpFormatPcmcia, kToolFixedCommand,
     "!R!ICCD I,D;ICCD F,A;EXIT,E;\r\n", nullptr},
    {qrl::ids::kToolPcmciaPartitions, qrl::ids::kToolHelpPcmciaPartitions, kToolFixedCommand,
     "!R!ICCD I,D;ICCD L,A;EXIT,E;\r\n", nullptr},
    {qrl::ids::kToolFormatCompactFlash, qrl::ids::kToolHelpFormatCompactFlash, kToolFixedCommand,
     "!R!RWER I,D;RWER F,A;EXIT,E;\r\n", "!R!RWRF I,D;RWRF F,A;EXIT,E;\r\n"},
    {qrl::ids::kToolCompactFlashPartitions, qrl::ids::kToolHelpCompactFlashPartitions, kToolFixedCommand,
     "!R!RWER I,D;RWER L,A;EXIT,E;\r\n", "!R!RWRF I,D;RWRF L,A;EXIT,E;\r\n"},
    {qrl::ids::kToolCompactFlashProtectOn, qrl::ids::kToolHelpCompactFlashProtectOn, kToolFixedCommand,
     nullptr, nullptr}, // write protection jobs: rows 9 to 12
    {qrl::ids::kToolCompactFlashProtectOff, qrl::ids::kToolHelpCompactFlashProtectOff, kToolFixedCommand,
     nullptr, nullptr},
    {qrl::ids::kToolHardDiskProtectOn, qrl::ids::kToolHelpHardDiskProtectOn, kToolFixedCommand, nullptr,
     nullptr},
    {qrl::ids::kToolHardDiskProtectOff, qrl::ids::kToolHelpHardDiskProtectOff, kToolFixedCommand, nullptr,
     nullptr},
    {qrl::ids::kToolCallMacro, qrl::ids::kToolHelpCallMacro, kToolCallMacro, nullptr, nullptr},
    {qrl::ids::kToolSendFile, qrl::ids::kToolHelpSendFile, kToolSendFile, nullptr, nullptr},
};
static_assert(std::size(kFixedTools) == CPrintToolArray::kFirstCustomRow);

struct WriteProtection {
    const char* setting;
    const char* jobName;
};

constexpr WriteProtection kWriteProtections[] = {
    {"KCARD1LOCK=ON", "CF Enable Write Protection"},
    {"KCARD1LOCK=OFF", "CF Disable Write Protection"},
    {"DISKLOCK=ON", "HDMD Enable Write Protection"},
    {"DISKLOCK=OFF", "HDMD Disable Write Protection"},
};

} // namespace

CPrintToolArray::CPrintToolArray(bool starterRow)
{
    for (std::size_t j = 0; j < m_jobs.size(); ++j)
        m_jobs[j] = writeProtectionJob(kWriteProtections[j].setting, kWriteProtections[j].jobName);
    FillTools(starterRow);
    BindCommandTexts();
}

QByteArray CPrintToolArray::writeProtectionJob(const char* setting, const char* jobName)
{
    return qrl::formatBytes("\033%%-12345X@PJL\r\n@PJL JOB NAME=\"%s\"\r\n@PJL DEFAULT %s\r\n"
                            "@PJL EOJ NAME=\"%s\"\r\n\033%%-12345X",
                            {jobName, setting, jobName});
}

void CPrintToolArray::FillTools(bool starterRow)
{
    m_tools.clear();
    for (const FixedTool& tool : kFixedTools)
        m_tools.push_back({qrl::text(tool.nameId), tool.kind, std::nullopt});
    if (starterRow)
        AddCustomTool(qrl::text(qrl::ids::kToolCustomMacro1), std::nullopt);
}

void CPrintToolArray::BindCommandTexts(bool tarnwick)
{
    for (int row = 0; row < kFirstJobRow + static_cast<int>(m_jobs.size()); ++row) {
        const FixedTool& tool = kFixedTools[row];
        QByteArray& text = m_tools.at(static_cast<std::size_t>(row)).text.emplace();
        if (row >= kFirstJobRow)
            text = m_jobs[static_cast<std::size_t>(row - kFirstJobRow)];
        else
            text = (tarnwick && tool.tarnwickCommand) ? tool.tarnwickCommand : tool.command;
    }
}

int CPrintToolArray::AddTool(ToolRecord record)
{
    m_tools.push_back(std::move(record));
    return size() - 1;
}

int CPrintToolArray::AddCustomTool(const QString& name, std::optional<QByteArray> text)
{
    return AddTool({name, kToolCustomMacro, std::move(text)});
}

void CPrintToolArray::SetToolText(int i, std::optional<QByteArray> text)
{
    m_tools.at(static_cast<std::size_t>(i)).text = std::move(text);
}

void CPrintToolArray::SetToolName(int i, const QString& name)
{
    m_tools.at(static_cast<std::size_t>(i)).name = name;
}

int CPrintToolArray::helpTextId(int row)
{
    if (row < 0)
        return 0;
    return row < kFirstCustomRow ? kFixedTools[row].helpId : qrl::ids::kToolHelpCustomMacro;
}
