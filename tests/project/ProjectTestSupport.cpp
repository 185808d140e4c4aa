#include "ProjectTestSupport.h"

#include "CQuorlyn32App.h"

#include <QDir>

namespace qrl::test {

std::optional<UnknownExtensionChoice> ScriptedUnknownExtension::ask(const QString& path)
{
    m_asked.append(path);
    if (m_answers.empty())
        return std::nullopt;
    const auto choice = m_answers.front();
    m_answers.pop_front();
    return choice;
}

ProjectTest::ProjectTest()
{
    ensureCoreApplication();
    app = std::make_unique<CQuorlyn32App>();
}

ProjectTest::~ProjectTest() = default;

void ProjectTest::start()
{
    ASSERT_TRUE(app->InitInstance(shell, QString::fromStdString(cwd.file("Quorlyn32")), {}));
}

QString ProjectTest::makeFile(const std::string& name, const std::string& bytes) const
{
    const std::string path = cwd.file(name);
    const std::size_t slash = path.rfind('/');
    QDir().mkpath(QString::fromStdString(path.substr(0, slash)));
    writeFile(path, bytes);
    return QString::fromStdString(path);
}

} // namespace qrl::test
