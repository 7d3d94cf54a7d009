// SPDX-License-Identifier: GPL-3.0-or-later
// Parameter file import and comparison: the JSON document and every value rule the parameter
// engine applies to it, against a small table with one parameter of each kind.

#include "engine/FileComparison.h"
#include "engine/ParamFile.h"
#include "engine/ParamValue.h"
#include "engine/ParameterSet.h"

#include <QJsonObject>

#include <cstddef>
#include <cstdint>

namespace {

ParamAttributeStruct parameter(const char* name, const char* format1, const char* format2,
    const char* writable, const char* min, const char* max, const QList<QStringList>& entries = {})
{
    ParamAttributeStruct p;
    p.name = QLatin1String(name);
    p.format1 = QLatin1String(format1);
    p.format2 = QLatin1String(format2);
    p.writable = QLatin1String(writable);
    p.min = QLatin1String(min);
    p.max = QLatin1String(max);
    p.defaultValue = QStringLiteral("1");
    p.indexList = entries;
    return p;
}

ParameterSet& table()
{
    static ParameterSet set;
    static bool built = false;
    if (!built) {
        ParamGroupStruct group;
        group.name = QStringLiteral("P0");
        group.code = QStringLiteral("F");
        const QList<ParamAttributeStruct> parameters = {
            parameter("P0-00", "0", "0", "1", "0", "10",
                { { QStringLiteral("0:Off"), QStringLiteral("0") },
                    { QStringLiteral("1:On"), QStringLiteral("1") },
                    { QStringLiteral("10:Ten"), QStringLiteral("10") } }),
            parameter("P0-01", "2", "0", "2", "0.00", "100.00"),
            parameter("P0-02", "1", "1", "2", "-10.0", "10.0"),
            parameter("P0-03", "9", "0", "2", "0x0", "0xFFFF"),
            parameter("P0-04", "8", "0", "2", "0", "1111"),
            parameter("P0-05", "0", "0", "0", "0", "65535"),
            parameter("P0-x", "12", "0", "2", "", ""),
        };
        for (const ParamAttributeStruct& p : parameters)
            group.params.insert(group.params.size(), p);
        set.setDefinitions({}, { { 0, group } });
        set.build(false);
        built = true;
    }
    return set;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray document(reinterpret_cast<const char*>(data), int(size));
    ParameterSet& set = table();
    for (quint8 device : { quint8(0), quint8(1) }) {
        QJsonObject object;
        if (ParamFile::parseDocument(document, device, &object) != ParamFile::ReadResult::Ok)
            continue;
        set.importValues(object);
        FileComparison comparison(set, object);
        for (const ParamRequest& read : comparison.reads())
            comparison.setDriveValue(read.code, { read.address });
        comparison.writes(comparison.differences());
        for (auto it = object.constBegin(); it != object.constEnd(); ++it) {
            const QString text = ParamFile::valueText(object, it.key());
            ParamFile::exportedValue(text);
            quint16 raw = 0;
            for (int row = 0; row < set.rowCount(); ++row)
                ParamValue::parse(set.row(row).attribute, text, &raw);
        }
        set.exportDocument(device);
    }
    return 0;
}
