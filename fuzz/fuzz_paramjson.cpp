// Parameter file import: the JSON document and every value rule the import applies to it.

#include "definitions/Parameter.h"
#include "definitions/ValueFormat.h"
#include "pages/paramtable/ParamFile.h"

#include <QJsonObject>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray document(reinterpret_cast<const char*>(data), int(size));
    static const QList<QStringList> indexList { { QStringLiteral("0:Off"), QStringLiteral("0") },
        { QStringLiteral("1:On"), QStringLiteral("1") }, { QStringLiteral("10:Ten"), QStringLiteral("10") } };
    for (quint8 device : { quint8(0), quint8(1) }) {
        QJsonObject object;
        if (ParamFile::parseDocument(document, device, &object) != ParamFile::ReadResult::Ok)
            continue;
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            const QString text = ParamFile::valueText(object, it.key());
            ParamFile::findIndexEntry(indexList, text);
            ParamFile::exportedValue(text);
            double x = 0;
            if (!ParamFile::importNumber(text, &x))
                continue;
            bool ok = false;
            codeToAddress(QStringLiteral("F"), it.key(), &ok);
            for (quint8 format = 0; format <= 9; ++format)
                floatToRaw(float(x), format);
        }
    }
    return 0;
}
