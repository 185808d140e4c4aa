#include "PrintToolsData.h"

#include "CToolDataFile.h"
#include "SingleByteText.h"
#include "ToolDataImage.h"
#include "ToolDataText.h"
#include "UserInterface.h"

#include <QFile>

namespace {

// An earlier build wrote the values as UTF-8.
QString toText(const QByteArray& bytes)
{
    return qrl::singlebyte::fromStored(bytes);
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
    if (file.ReadMacroFile(path) && path.size() <= qrl::tooldata::kMaxPath)
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
    bool kept = image.WriteCallBlock(qrl::singlebyte::toBytes(data.call.macroName),
                                     qrl::singlebyte::toBytes(data.call.parameter),
                                     qrl::singlebyte::toBytes(data.call.repeatCount)) &&
                image.AppendMacroFile(QFile::encodeName(data.fileToSend));
    for (auto macro = data.macros.begin(); kept && macro != data.macros.end(); ++macro)
        kept = image.AppendCustomMacro(qrl::singlebyte::toBytes(macro->name),
                                       macro->text ? &*macro->text : nullptr);
    if (!kept) {
        qrl::ui().message(image.refusalText(), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    return file.Write(image);
}
