#include "CResPrefDlg.h"

#include "ProjectTestSupport.h"
#include "ResourceTypes.h"
#include "StringTable.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class ResPrefDlgTest : public qrl::test::ProjectTest {
protected:
    int add(const std::string& name, const std::string& bytes)
    {
        ResourceKind kind = kKindNone;
        EXPECT_TRUE(doc.AddFile(makeFile(name, bytes), kind)) << name;
        return doc.GetItemAt(doc.GetItemCount() - 1)->serial();
    }
    void open(int serial) { dlg = std::make_unique<CResPrefDlg>(doc, serial, QIcon()); }
    template <typename T>
    T* find(const char* name) const
    {
        T* w = dlg->findChild<T*>(QString::fromLatin1(name));
        EXPECT_TRUE(w) << name;
        return w;
    }
    bool shown(const char* name) const { return !find<QWidget>(name)->isHidden(); }
    QString text(const char* name) const { return find<QLabel>(name)->text(); }
    QLineEdit* idEdit() const { return find<QLineEdit>("idEdit"); }

    qrl::test::CheckedDoc doc;
    std::unique_ptr<CResPrefDlg> dlg;
};

TEST_F(ResPrefDlgTest, TrueTypeFontEditsItsNumbersAndSymbolSet)
{
    const int serial = add("fonts/tt.ttf", std::string(30, ' '));
    doc.SetItemID(serial, 129);
    doc.SetSymbolSet(serial, 17);
    doc.SetModifiedFlag(false);
    open(serial);

    EXPECT_EQ(dlg->windowTitle(), doc.GetItemName(serial) + QStringLiteral(" Properties"));
    EXPECT_EQ(text("typeText"), QStringLiteral("Font File"));
    EXPECT_EQ(text("sizeText"), doc.GetItemSizeText(serial) + QStringLiteral(" Bytes"));
    EXPECT_EQ(find<QGroupBox>("settingsGroup")->title(), QStringLiteral("Font Settings"));
    EXPECT_EQ(text("idLabel"), QStringLiteral("&Font ID:"));
    EXPECT_TRUE(shown("idEdit") && shown("typefaceEdit") && shown("symbolSetList"));
    EXPECT_FALSE(shown("flagCheck") || shown("idReadOnly"));
    auto* list = find<QListWidget>("symbolSetList");
    ASSERT_EQ(list->count(), 32);
    EXPECT_EQ(list->item(0)->text(), QStringLiteral("--: Unbounded"));
    EXPECT_EQ(list->item(31)->text(), QStringLiteral("579L: WingDings"));
    EXPECT_EQ(list->currentRow(), 17);

    find<QToolButton>("idDown")->click();
    EXPECT_EQ(idEdit()->text(), QStringLiteral("129"));
    idEdit()->setText(QStringLiteral("70000"));
    EXPECT_EQ(idEdit()->text(), QStringLiteral("65535"));
    idEdit()->setText(QStringLiteral("12a"));
    EXPECT_EQ(idEdit()->text(), QStringLiteral("65535"));
    EXPECT_EQ(ui.texts(), QStringList{QStringLiteral("Please give a number between 256 and 65535")});
    find<QLineEdit>("typefaceEdit")->setText(QStringLiteral("x"));
    EXPECT_EQ(ui.texts().last(), QStringLiteral("Typeface should be a number between 0 and 65535"));

    // A refused id keeps the dialog open and writes nothing.
    ui.clear();
    idEdit()->setText(QStringLiteral("100"));
    dlg->accept();
    EXPECT_EQ(ui.texts(), QStringList{qrl::text(2216)});
    EXPECT_EQ(dlg->result(), QDialog::Rejected);
    EXPECT_EQ(doc.GetItemID(serial), 129u);

    idEdit()->setText(QStringLiteral("4000"));
    list->setCurrentRow(2);
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
    EXPECT_EQ(doc.GetItemID(serial), 4000u);
    EXPECT_EQ(doc.GetSymbolSet(serial), 2);
    EXPECT_EQ(dlg->change().idText, QStringLiteral("4000"));
    EXPECT_TRUE(doc.IsModified());
    EXPECT_TRUE(profile.contains(QStringLiteral("Resource Preferences"), QStringLiteral("WinPlacement")));
    EXPECT_EQ(profile.getInt(QStringLiteral("Resource Preferences"), QStringLiteral("ResPrefMsgOptions"), 0),
              2);
}

TEST_F(ResPrefDlgTest, LayoutsOfTheOtherKinds)
{
    const int pcl = add("m.pcl", "\x1b&f300Y\x1b&f0X"
                                 "body"
                                 "\x1b&f1X");
    const int data = add("d.prg", "data");
    open(pcl);
    EXPECT_EQ(text("typeText"), QStringLiteral("PCL Macro File"));
    EXPECT_EQ(find<QGroupBox>("settingsGroup")->title(), QStringLiteral("Macro Settings"));
    EXPECT_EQ(text("idLabel"), QStringLiteral("Macro ID:"));
    EXPECT_TRUE(shown("idReadOnly"));
    EXPECT_FALSE(shown("idEdit") || shown("typefaceEdit") || shown("symbolSetList") || shown("flagCheck"));

    open(data);
    EXPECT_EQ(text("typeText"), QStringLiteral("Data File"));
    EXPECT_FALSE(shown("settingsGroup"));
    dlg->accept();
    EXPECT_EQ(dlg->result(), QDialog::Accepted);
}

TEST_F(ResPrefDlgTest, CheckingThePowerOnDefaultClearsTheOtherFormEvenOnCancel)
{
    const int first = add("a.prn", "form a");
    const int second = add("b.prn", "form b");
    doc.SetItemFlag(first, 1);
    doc.SetModifiedFlag(false);
    open(second);
    auto* check = find<QCheckBox>("flagCheck");
    EXPECT_EQ(check->text(), QStringLiteral("S&et form as default for power on"));
    EXPECT_FALSE(check->isChecked());
    check->click();
    EXPECT_EQ(doc.GetItemFlag(first), 0);
    EXPECT_TRUE(doc.IsModified());
    dlg->reject();
    EXPECT_EQ(doc.GetItemFlag(second), 0);

    open(second);
    find<QCheckBox>("flagCheck")->click();
    dlg->accept();
    EXPECT_EQ(doc.GetItemFlag(second), 1);
}

} // namespace
