// Adapting a class definition's data properties to a destination provider
// before the class is created there.
//
// Three rule blocks run in order: a shape file source gives its Decimal
// properties two more digits of precision elsewhere (its DBF widths count
// the sign and point); a shape file destination needs a Decimal precision and
// scale and a String length that a DBF field can hold; and a type that the
// destination does not store is replaced by a wider one that it does, per
// the candidate table below (the last supported candidate wins).
#include <GeoxferApi/FDO_Api.h>

#include <Fdo.h>

#include <algorithm>
#include <vector>

namespace {

struct Candidate {
    FdoDataType type;
    FdoInt32 precision = 0;  // set only when the candidate is Decimal
    FdoInt32 scale = 0;
};

std::vector<Candidate> CandidatesFor(FdoDataType type) {
    const Candidate dec10{FdoDataType_Decimal, 10, 0};
    const Candidate dec18{FdoDataType_Decimal, 18, 8};
    switch (type) {
        case FdoDataType_Byte: return {{FdoDataType_Int16}, {FdoDataType_Int32}, {FdoDataType_Int64}, dec10};
        case FdoDataType_Int16: return {{FdoDataType_Int32}, {FdoDataType_Int64}, dec10};
        case FdoDataType_Int32: return {{FdoDataType_Int64}, dec10};
        case FdoDataType_Int64: return {dec10};
        case FdoDataType_Single: return {{FdoDataType_Double}, dec18};
        case FdoDataType_Double: return {dec18};
        default: return {};
    }
}

// The data properties of the class, in order.
std::vector<FdoPtr<FdoDataPropertyDefinition>> DataPropertiesOf(FdoClassDefinition* classDef) {
    std::vector<FdoPtr<FdoDataPropertyDefinition>> result;
    FdoPtr<FdoPropertyDefinitionCollection> properties = classDef->GetProperties();
    for (FdoInt32 i = 0; i < properties->GetCount(); i++) {
        FdoPtr<FdoPropertyDefinition> p = properties->GetItem(i);
        if (p->GetPropertyType() == FdoPropertyType_DataProperty)
            result.emplace_back(FDO_SAFE_ADDREF(static_cast<FdoDataPropertyDefinition*>(p.p)));
    }
    return result;
}

void WidenShapeDecimals(const std::vector<FdoPtr<FdoDataPropertyDefinition>>& properties) {
    for (auto& p : properties)
        if (p->GetDataType() == FdoDataType_Decimal) p->SetPrecision(p->GetPrecision() + 2);
}

void FitShapeFields(const std::vector<FdoPtr<FdoDataPropertyDefinition>>& properties) {
    for (auto& p : properties) {
        if (p->GetDataType() == FdoDataType_Decimal) {
            if (p->GetScale() < 0) p->SetScale(0);
            if (p->GetScale() > 255) p->SetScale(255);
            if (p->GetPrecision() <= 0) {
                FdoInt32 precision = 40 - p->GetScale();
                if (precision <= 0 || precision > 40) precision = 40;
                p->SetPrecision(precision);
            }
        } else if (p->GetDataType() == FdoDataType_String && p->GetLength() == 0) {
            p->SetLength(255);
        }
    }
}

void ReplaceUnsupportedTypes(FdoIConnection* destination,
                             const std::vector<FdoPtr<FdoDataPropertyDefinition>>& properties) {
    FdoPtr<FdoISchemaCapabilities> caps = destination->GetSchemaCapabilities();
    if (!caps) return;
    FdoInt32 count = 0;
    FdoDataType* types = caps->GetDataTypes(count);
    const std::vector<FdoDataType> supported(types, types + (types ? count : 0));
    auto isSupported = [&](FdoDataType t) {
        return std::find(supported.begin(), supported.end(), t) != supported.end();
    };
    for (auto& p : properties) {
        if (isSupported(p->GetDataType())) continue;
        for (const Candidate& c : CandidatesFor(p->GetDataType())) {
            if (!isSupported(c.type)) continue;
            p->SetDataType(c.type);
            if (c.type == FdoDataType_Decimal) {
                p->SetPrecision(c.precision);
                p->SetScale(c.scale);
            }
        }
    }
}

}  // namespace

void c_FDO_Api::CopyFdoClass_CastDataTypes(FdoIConnection* source, FdoIConnection* destination,
                                           FdoClassDefinition* classDefinition) {
    const auto properties = DataPropertiesOf(classDefinition);
    const bool shapeDestination = IsShpProvider(destination);
    if (source && IsShpProvider(source) && !shapeDestination) WidenShapeDecimals(properties);
    if (shapeDestination) FitShapeFields(properties);
    ReplaceUnsupportedTypes(destination, properties);
}
