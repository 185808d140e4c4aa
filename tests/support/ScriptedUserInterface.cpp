#include "ScriptedUserInterface.h"

namespace qrl::test {

QStringList ScriptedUserInterface::texts() const
{
    QStringList t;
    for (const Shown& s : m_shown)
        t.append(s.text);
    return t;
}

Answer ScriptedUserInterface::message(const QString& text, Buttons buttons, Icon icon, const QString& caption)
{
    m_shown.append({text, buttons, icon, caption, {}});
    if (m_answers.empty())
        return defaultAnswer(buttons);
    const Answer a = m_answers.front();
    m_answers.pop_front();
    return a;
}

Answer ScriptedUserInterface::messageWithDetail(const QString& text, const QString& detail, Buttons buttons,
                                                Icon icon)
{
    const Answer a = message(text, buttons, icon, {});
    m_shown.last().detail = detail;
    return a;
}

std::optional<QStringList> ScriptedUserInterface::nextFiles(const QString& kind,
                                                            const FileDialogRequest& request)
{
    m_dialogs.append({kind, request});
    if (m_files.empty())
        return std::nullopt;
    QStringList names = m_files.front();
    m_files.pop_front();
    if (names.isEmpty())
        return std::nullopt;
    return names;
}

std::optional<QString> ScriptedUserInterface::openFileName(const FileDialogRequest& request)
{
    const auto names = nextFiles(QStringLiteral("open"), request);
    return names ? std::optional<QString>(names->first()) : std::nullopt;
}

std::optional<QStringList> ScriptedUserInterface::openFileNames(const FileDialogRequest& request)
{
    return nextFiles(QStringLiteral("openMany"), request);
}

std::optional<QString> ScriptedUserInterface::saveFileName(const FileDialogRequest& request)
{
    const auto names = nextFiles(QStringLiteral("save"), request);
    return names ? std::optional<QString>(names->first()) : std::nullopt;
}

std::optional<QString> ScriptedUserInterface::existingDirectory(const QString& title,
                                                                const QString& directory)
{
    FileDialogRequest r;
    r.title = title;
    r.directory = directory;
    const auto names = nextFiles(QStringLiteral("folder"), r);
    return names ? std::optional<QString>(names->first()) : std::nullopt;
}

} // namespace qrl::test
