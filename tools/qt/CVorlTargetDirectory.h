#pragma once

#include <QDialog>

class QLineEdit;

// "Target Directory Name": the folder on the printer's medium into which the selected fonts are
// stored. Any text of at most 255 characters is taken (slashes and blanks included); the caller
// uses directoryName() only after OK and only when it is not empty.
class CVorlTargetDirectory : public QDialog {
    Q_OBJECT
public:
    static constexpr int kMaxLength = 255;

    explicit CVorlTargetDirectory(QWidget* parent = nullptr);

    const QString& directoryName() const { return m_directoryName; }

    void accept() override;

private:
    QLineEdit* m_edit = nullptr;
    QString m_directoryName;
};
