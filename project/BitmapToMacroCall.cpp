#include "BitmapToMacroCall.h"

#include "BitmapToMacroCheck.h"
#include "CProjItem.h"
#include "PelmoraHost.h"
#include "PlatformTextIds.h"
#include "ProjectTextIds.h"
#include "Replaceable.h"
#include "SingleByteText.h"
#include "StringTable.h"
#include "UserInterface.h"

#include "pelmora.h"

#include <QByteArray>
#include <QFile>

namespace {

class CancellingRunner : public BitmapToMacroRunner {
public:
    bool run(CQuorlyn32Doc&, CQuorlyn32Doc::BitmapToMacroRequest&) override { return false; }
};

CancellingRunner cancelling;
qrl::Replaceable<BitmapToMacroRunner> installed;

bool fits(const QByteArray& bytes, int field)
{
    return bytes.size() < field;
}

} // namespace

bool qrl::bitmapmacro::fitsLibraryFields(const QString& imagePath,
                                         const CQuorlyn32Doc::BitmapToMacroRequest& request)
{
    // Both paths must also fit an item's record: the macro file joins the project.
    for (const QString* path : {&imagePath, &request.path}) {
        if (!fits(QFile::encodeName(*path), kPathField) || !CProjItem::FitsPathField(*path)) {
            CProjItem::ShowPathTooLong(*path);
            return false;
        }
    }
    if (!qrl::singlebyte::fits(request.macroName)) {
        qrl::ui().message(qrl::text(qrl::ids::kNotLatin1), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    if (!fits(qrl::singlebyte::toBytes(request.macroName), kNameField)) {
        qrl::ui().message(qrl::text(qrl::ids::kMacroNameNotAcceptable), qrl::Buttons::Ok, qrl::Icon::Warning);
        return false;
    }
    const struct {
        const QString* text;
        int field;
    } values[] = {{&request.resolution, kListField},  {&request.unit, kListField},
                  {&request.positionX, kNumberField}, {&request.positionY, kNumberField},
                  {&request.width, kNumberField},     {&request.height, kNumberField}};
    for (const auto& value : values) {
        if (!fits(qrl::singlebyte::toBytes(*value.text), value.field)) {
            qrl::ui().message(QString::fromLatin1(kTooBigText), qrl::Buttons::Ok, qrl::Icon::Warning);
            return false;
        }
    }
    return true;
}

bool qrl::bitmapmacro::createMacroFile(const QString& imagePath,
                                       const CQuorlyn32Doc::BitmapToMacroRequest& request)
{
    if (!fitsLibraryFields(imagePath, request))
        return false;
    const QByteArray source = QFile::encodeName(imagePath);
    const QByteArray output = QFile::encodeName(request.path);
    const QByteArray name = qrl::singlebyte::toBytes(request.macroName);
    const QByteArray resolution = qrl::singlebyte::toBytes(request.resolution);
    const QByteArray unit = qrl::singlebyte::toBytes(request.unit);
    const QByteArray x = qrl::singlebyte::toBytes(request.positionX);
    const QByteArray y = qrl::singlebyte::toBytes(request.positionY);
    const QByteArray width = qrl::singlebyte::toBytes(request.width);
    const QByteArray height = qrl::singlebyte::toBytes(request.height);
    const auto create = request.colour ? CreateColorMacro : CreateMacro;
    return create(source.constData(), output.constData(), name.constData(), resolution.constData(),
                  unit.constData(), x.constData(), y.constData(), width.constData(), height.constData(),
                  request.orientation, request.imageType, kPathField, nullptr, 0, qrl::pelmoraHost(), 0, 0,
                  0) != 0;
}

BitmapToMacroRunner& bitmapToMacroRunner()
{
    return installed.getOr(cancelling);
}

BitmapToMacroRunner* setBitmapToMacroRunner(BitmapToMacroRunner* runner)
{
    return installed.replace(runner);
}
