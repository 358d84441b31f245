// Data values are read through the engine's one conversion, with the
// property's own type as both source and destination, so the table shows
// what a copy would write. Text values are shown without the quotes of
// FDO literal text; geometries as geometry text.
#include "source/ClassRowsQuery.h"

#include "source/SchemaLookup.h"

#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

namespace {

struct Column {
    FdoStringP name;
    FdoPropertyType kind;
    FdoDataType dataType = FdoDataType_String;
};

QString DataText(FdoIFeatureReader* reader, const Column& column) {
    FdoPtr<FdoDataValue> value =
        c_FDO_Api::ReaderGetDataPropertyValue(reader, column.name, column.dataType, column.dataType);
    if (!value) return QString();
    if (!value->IsNull() && value->GetDataType() == FdoDataType_String)
        return FromFdo(static_cast<FdoStringValue*>(value.p)->GetString());
    return FromFdo(value->ToString());
}

QString GeometryText(FdoByteArray* fgf) {
    FdoPtr<FdoFgfGeometryFactory> factory = FdoFgfGeometryFactory::GetInstance();
    FdoPtr<FdoIGeometry> geometry = factory->CreateGeometryFromFgf(fgf);
    return FromFdo(geometry->GetText());
}

// The geometry drawn on the map: the feature class's own, else the first
// geometric property.
FdoStringP MapGeometryName(FdoClassDefinition* classDef, const std::vector<Column>& columns) {
    if (classDef->GetClassType() == FdoClassType_FeatureClass) {
        FdoPtr<FdoGeometricPropertyDefinition> geom = static_cast<FdoFeatureClass*>(classDef)->GetGeometryProperty();
        if (geom) return geom->GetName();
    }
    for (const Column& c : columns)
        if (c.kind == FdoPropertyType_GeometricProperty) return c.name;
    return FdoStringP();
}

std::vector<Column> Columns(FdoClassDefinition* classDef) {
    std::vector<Column> columns;
    FdoPtr<FdoPropertyDefinitionCollection> properties = classDef->GetProperties();
    for (FdoInt32 i = 0; i < properties->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> p = properties->GetItem(i);
        Column column{p->GetName(), p->GetPropertyType()};
        if (auto* data = dynamic_cast<FdoDataPropertyDefinition*>(p.p)) column.dataType = data->GetDataType();
        columns.push_back(column);
    }
    return columns;
}

FdoISelect* MakeSelect(FdoIConnection* connection, FdoClassDefinition* classDef, const c_ClassRowsQuery& query) {
    FdoPtr<FdoISelect> select = static_cast<FdoISelect*>(connection->CreateCommand(FdoCommandType_Select));
    select->SetFeatureClassName(classDef->GetQualifiedName());
    if (!query.filter.isEmpty()) {
        try {
            select->SetFilter(query.filter.toStdWString().c_str());
        } catch (FdoException* e) {
            // The parser's text says only that something is wrong; the
            // message names the filter it was about.
            FdoPtr<FdoException> cause = e;
            const QString text = QStringLiteral("Invalid filter \"%1\": %2").arg(query.filter, FromFdo(e->GetExceptionMessage()));
            throw FdoException::Create(text.toStdWString().c_str());
        }
    }
    if (!query.orderBy.isEmpty()) {
        FdoPtr<FdoIdentifierCollection> ordering = select->GetOrdering();
        for (const QString& name : query.orderBy) {
            FdoPtr<FdoIdentifier> id = FdoIdentifier::Create(name.toStdWString().c_str());
            ordering->Add(id);
        }
        select->SetOrderingOption(query.ascending ? FdoOrderingOption_Ascending : FdoOrderingOption_Descending);
    }
    return select.Detach();
}

}  // namespace

void ReadClassRows(FdoIConnection* connection, FdoClassDefinition* classDef, const c_ClassRowsQuery& query,
                   c_ClassRows& result) {
    const std::vector<Column> columns = Columns(classDef);
    const FdoStringP mapGeometry = MapGeometryName(classDef, columns);
    result.hasGeometry = mapGeometry.GetLength() > 0;
    result.headers = QStringList{QStringLiteral("RowNo.")};
    for (const Column& c : columns) result.headers << FromFdo(c.name);

    FdoPtr<FdoISelect> select = MakeSelect(connection, classDef, query);
    FdoPtr<FdoIFeatureReader> reader = select->Execute();
    long number = 0;
    while (reader->ReadNext()) {
        number++;
        if (query.range.Shows(number)) {
            QStringList row{QString::asprintf("%ld", number)};
            QByteArray drawn;
            for (const Column& c : columns) {
                if (c.kind == FdoPropertyType_DataProperty) {
                    row << DataText(reader, c);
                } else if (c.kind == FdoPropertyType_GeometricProperty) {
                    if (reader->IsNull(c.name)) {
                        row << QStringLiteral("NULL");
                        continue;
                    }
                    FdoPtr<FdoByteArray> fgf = reader->GetGeometry(c.name);
                    row << GeometryText(fgf);
                    if (c.name == mapGeometry)
                        drawn = QByteArray(reinterpret_cast<const char*>(fgf->GetData()), fgf->GetCount());
                } else {
                    row << QString();
                }
            }
            result.rows.append(row);
            result.geometries.append(drawn);
        }
        if (query.range.Done(number)) break;
    }
    reader->Close();
}
