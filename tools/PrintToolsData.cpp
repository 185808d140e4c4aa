#include "PrintToolsData.h"

#include "CToolDataFile.h"
#include "RecordText.h"
#include "ToolDataImage.h"
#include "ToolDataText.h"
#include "UserInterface.h"

#include <QFile>

namespace {

QString toText(const QByteArray& bytes)
{
    return recordtext::toText(bytes.toStdString());
}

} // namespace

PrintToolsData loadPrintToolsData(CToolDataFile& file)
{
    PrintToolsData data;
    QByteArray name;
    QByteArray parameter;
    QByteArray repeat;
    if (file.ReadCallMacro(name) && file.ReadCallParam(parameter) && file.ReadCallRepeat(repeat))
        data.call = {toText(name), toText(parameter), toText(repeat)};

    QByteArray path;
    if (file.ReadMacroFile(path) && path.size() <= tooldata::kMaxPath)
        data.fileToSend = QFile::decodeName(path);

    qint64 offset = 0;
    QByteArray macroName;
    while (file.NextCustomMacroName(offset, macroName)) {
        PrintToolsData::Macro macro{toText(macroName), std::nullopt};
        QByteArray text;
        if (file.ReadCustomMacro(macroName, text))
            macro.text = text;
        data.macros.push_back(std::move(macro));
    }
    return data;
}

bool savePrintToolsData(CToolDataFile& file, const PrintToolsData& data)
{
    ToolDataImage image;
    bool kept = image.WriteCallBlock(data.call.macroName.toUtf8(), data.call.parameter.toUtf8(),
                                     data.call.repeatCount.toUtf8()) &&
                image.AppendMacroFile(QFile::encodeName(data.fileToSend));
    for (auto macro = data.macros.begin(); kept && macro != data.macros.end(); ++macro)
        kept = image.AppendCustomMacro(macro->name.toUtf8(), macro->text ? &*macro->text : nullptr);
    if (!kept) {
        qrl::ui().message(image.refusalText(), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    return file.Write(image);
}
