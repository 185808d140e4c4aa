#pragma once

#include "ToolRecord.h"

#include <array>
#include <vector>

// The tool table of the printer tools: the fifteen fixed tools (status page, lists, formatting,
// partitions, write protection, CALL macro, send a file), the optional starter custom macro and
// the user's custom macros, in row order. Rows 0 to 14 always exist and keep their places.
// An index outside the table is a programming error of the caller (std::out_of_range).
class CPrintToolArray {
public:
    static constexpr int kCallMacroRow = 13;
    static constexpr int kSendFileRow = 14;
    static constexpr int kFirstCustomRow = 15;

    // Fills the table (FillTools) and binds the command texts; `starterRow` adds "Custom macro #1".
    explicit CPrintToolArray(bool starterRow);

    // Rows 0 to 14, then row 15 "Custom macro #1" when `starterRow` is set; the table is emptied first.
    void FillTools(bool starterRow);
    // The command texts of rows 0 to 12; rows 3, 4, 7 and 8 in the storage command form of
    // `Tarnwick` printers when `tarnwick` is set.
    void BindCommandTexts(bool tarnwick = false);

    // Appends a record; its index.
    int AddTool(ToolRecord record);
    // Appends a custom macro (kind 3) with its text, or none; its index.
    int AddCustomTool(const QString& name, std::optional<QByteArray> text);
    void SetToolText(int i, std::optional<QByteArray> text);
    void SetToolName(int i, const QString& name);

    QString GetToolName(int i) const { return m_tools.at(static_cast<std::size_t>(i)).name; }
    int kind(int i) const { return m_tools.at(static_cast<std::size_t>(i)).kind; }
    const std::optional<QByteArray>& text(int i) const
    {
        return m_tools.at(static_cast<std::size_t>(i)).text;
    }
    int size() const { return static_cast<int>(m_tools.size()); }

    // The string id of the help text of list row `row` (rows 15 and on share one).
    static int helpTextId(int row);
    // The job-language job that switches a medium's write protection: the setting
    // ("KCARD1LOCK=ON"...) and the job name, which stands in the JOB and the EOJ line.
    static QByteArray writeProtectionJob(const char* setting, const char* jobName);

private:
    std::vector<ToolRecord> m_tools;
    // The four write protection jobs of rows 9 to 12.
    std::array<QByteArray, 4> m_jobs;
};
