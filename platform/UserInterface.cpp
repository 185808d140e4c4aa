#include "UserInterface.h"

#include "PlatformTextIds.h"
#include "Replaceable.h"
#include "StringTable.h"

namespace qrl {

namespace {

class SilentUserInterface : public UserInterface {
public:
    Answer message(const QString&, Buttons buttons, Icon, const QString&) override
    {
        return defaultAnswer(buttons);
    }
    std::optional<QString> openFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QStringList> openFileNames(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> saveFileName(const FileDialogRequest&) override { return std::nullopt; }
    std::optional<QString> existingDirectory(const QString&, const QString&) override { return std::nullopt; }
};

SilentUserInterface silent;
Replaceable<UserInterface> current;

} // namespace

Answer UserInterface::messageWithDetail(const QString& text, const QString& detail, Buttons buttons,
                                        Icon icon)
{
    return message(detail.isEmpty() ? text : text + QStringLiteral("\n\n") + detail, buttons, icon);
}

UserInterface& ui()
{
    return current.getOr(silent);
}

UserInterface* setUi(UserInterface* next)
{
    return current.replace(next);
}

Answer defaultAnswer(Buttons buttons)
{
    switch (buttons) {
    case Buttons::YesNo:
    case Buttons::YesNoCancel:
        return Answer::Yes;
    case Buttons::RetryCancel:
        return Answer::Retry;
    case Buttons::Ok:
    case Buttons::OkCancel:
        break;
    }
    return Answer::Ok;
}

QString qtFilter(const QString& tableFilter)
{
    const QStringList parts = tableFilter.split(QLatin1Char('|'));
    QStringList entries;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString& label = parts[i];
        const QString& patterns = parts[i + 1];
        if (label.isEmpty() && patterns.isEmpty())
            break;
        QString pattern = patterns;
        pattern.replace(QLatin1Char(';'), QLatin1Char(' '));
        // Qt reads the patterns from the parentheses of the label; add them when the label lacks them.
        entries.append(label.contains(QLatin1Char('('))
                           ? label
                           : label + QStringLiteral(" (") + pattern + QLatin1Char(')'));
    }
    return entries.join(QStringLiteral(";;"));
}

QString defaultCaption()
{
    return text(ids::kAppName);
}

} // namespace qrl
