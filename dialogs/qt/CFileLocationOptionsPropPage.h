#pragma once

#include "FileLocations.h"

#include <QWidget>

#include <functional>

class QPushButton;
class QTreeWidget;

// The option page "File Locations": working copies of the seven resource directories; the
// context and the profile change only on apply.
class CFileLocationOptionsPropPage : public QWidget {
    Q_OBJECT
public:
    // Opens the modify dialog for a row; the new directory on OK. Replaceable so that tests need no
    // modal loop.
    using ModifyDialog =
        std::function<std::optional<QString>(const QString& rowName, const QString& directory)>;

    explicit CFileLocationOptionsPropPage(qrl::AppContext& context, QWidget* parent = nullptr);

    // Refuses a directory that is not an existing folder with a message, selecting its row.
    bool validate();
    // Validates, then hands the directories to the context and writes the profile.
    bool apply();

    void setModifyDialog(ModifyDialog dialog) { m_modifyDialog = std::move(dialog); }
    const qrl::filelocations::Directories& directories() const { return m_directories; }

signals:
    void modified();

private:
    int selectedRow() const;
    void onModify();

    qrl::AppContext& m_context;
    qrl::filelocations::Directories m_directories;
    QTreeWidget* m_list;
    QPushButton* m_modify;
    ModifyDialog m_modifyDialog;
};
