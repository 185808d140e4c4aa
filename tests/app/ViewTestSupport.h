#pragma once

#include "CQuorlyn32Doc.h"
#include "ProjectTestSupport.h"
#include "RecordingLauncher.h"
#include "ResourceFixtures.h"

#include <QStringList>

#include <ostream>

// Texts in failure messages as text.
QT_BEGIN_NAMESPACE
inline void PrintTo(const QString& text, std::ostream* os)
{
    *os << '"' << text.toStdString() << '"';
}
QT_END_NAMESPACE

namespace qrl::test::viewtest {

using qrl::test::RecordingLauncher;

// A project whose content checks pass every file, so the list's tests choose their files freely.
class OpenDoc : public CQuorlyn32Doc {
public:
    bool ValidateItemFile(const QString&, int) override { return true; }
};

// A project on the printer's disk, with one file of every kind.
class ViewTest : public qrl::test::ProjectTest {
protected:
    ViewTest() { doc.GetProjSett().m_medium = kHardDisk; }

    // Adds a file made in the private directory; its serial, or -1 when it was refused.
    int addFile(const std::string& name, const std::string& bytes)
    {
        ResourceKind kind = kKindNone;
        const QString path = makeFile(name, bytes);
        if (!doc.AddFile(path, kind))
            return -1;
        return doc.GetItemAt(doc.GetItemCount() - 1)->serial();
    }
    QString pathOf(const std::string& name) const
    {
        return dirPath() + QLatin1Char('/') + QString::fromStdString(name);
    }

    static std::string trueTypeFont(const std::string& name) { return qrl::test::fixtures::trueType(name); }
    static std::string telluradeMacro(const std::string& name)
    {
        return "!R! MCRO " + name + "; ENDM; EXIT;";
    }
    static std::string pclMacro() { return "\x1b&f123Y\x1b&f0X macro body text\x1b&f1X"; }

    OpenDoc doc;
};

} // namespace qrl::test::viewtest
