// Deep copies of schemas, classes and properties.
//
// Every copy goes through the context: an element already copied is handed
// back instead of copied again, which keeps shared base classes and
// cross-references pointing at one copy. A class is entered in the context
// before its members are copied, so a reference back to it finds the copy.
#include <FdoCommon/FdoCommonSchemaUtil.h>

namespace {

FdoPtr<FdoCommonSchemaCopyContext> ContextOrNew(FdoCommonSchemaCopyContext* context) {
    return context ? FDO_SAFE_ADDREF(context) : FdoCommonSchemaCopyContext::Create();
}

template <class T>
T* Handed(FdoPtr<T>& p) {
    return FDO_SAFE_ADDREF(p.p);
}

bool IsIdentity(FdoDataPropertyDefinitionCollection* identity, FdoPropertyDefinition* p) {
    auto* data = dynamic_cast<FdoDataPropertyDefinition*>(p);
    return data && identity->Contains(data);
}

}  // namespace

bool FdoCommonSchemaCopyContext::CanCopyProperty(FdoString* propertyName) {
    if (!m_identifiers) return true;
    FdoStringP name(propertyName);
    for (FdoInt32 i = 0; i < m_identifiers->GetCount(); i++) {
        FdoPtr<FdoIdentifier> id = m_identifiers->GetItem(i);
        if (FdoStringP(id->GetText()).Left(L".") == name) return true;
    }
    return false;
}

FdoSchemaElement* FdoCommonSchemaCopyContext::FindSchemaElement(FdoSchemaElement* source) {
    auto it = m_map.find(source);
    return it == m_map.end() ? nullptr : FDO_SAFE_ADDREF(it->second.second.p);
}

void FdoCommonSchemaCopyContext::InsertSchemaElement(FdoSchemaElement* source, FdoSchemaElement* copy) {
    if (!source) return;
    auto& entry = m_map[source];
    entry.first = FDO_SAFE_ADDREF(source);
    entry.second = FDO_SAFE_ADDREF(copy);
}

FdoFeatureSchemaCollection* FdoCommonSchemaUtil::DeepCopyFdoFeatureSchemas(FdoFeatureSchemaCollection* schemas,
                                                                          FdoString* schemaName,
                                                                          FdoCommonSchemaCopyContext* context) {
    if (!schemas) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    FdoPtr<FdoFeatureSchemaCollection> result = FdoFeatureSchemaCollection::Create(nullptr);
    if (schemaName && *schemaName) {
        FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(schemaName);
        result->Add(FdoPtr<FdoFeatureSchema>(DeepCopyFdoFeatureSchema(schema, ctx)));
    } else {
        for (FdoInt32 i = 0; i < schemas->GetCount(); i++) {
            FdoPtr<FdoFeatureSchema> schema = schemas->GetItem(i);
            result->Add(FdoPtr<FdoFeatureSchema>(DeepCopyFdoFeatureSchema(schema, ctx)));
        }
    }
    for (FdoInt32 i = 0; i < result->GetCount(); i++) FdoPtr<FdoFeatureSchema>(result->GetItem(i))->AcceptChanges();
    return Handed(result);
}

FdoFeatureSchema* FdoCommonSchemaUtil::DeepCopyFdoFeatureSchema(FdoFeatureSchema* schema,
                                                                FdoCommonSchemaCopyContext* context) {
    if (!schema) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    FdoPtr<FdoFeatureSchema> copy = ctx->FindCopy<FdoFeatureSchema>(schema);
    if (copy) return Handed(copy);

    copy = FdoFeatureSchema::Create(schema->GetName(), schema->GetDescription());
    CopySchemaAttributes(schema, copy);
    ctx->InsertSchemaElement(schema, copy);
    FdoPtr<FdoClassCollection> classes = schema->GetClasses();
    FdoPtr<FdoClassCollection> copies = copy->GetClasses();
    for (FdoInt32 i = 0; i < classes->GetCount(); i++) {
        FdoPtr<FdoClassDefinition> cls = classes->GetItem(i);
        FdoPtr<FdoClassDefinition> clsCopy = DeepCopyFdoClassDefinition(cls, ctx);
        if (!FdoPtr<FdoSchemaElement>(clsCopy->GetParent())) copies->Add(clsCopy);
    }
    return Handed(copy);
}

FdoClassDefinition* FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(FdoClassDefinition* classDef,
                                                                    FdoCommonSchemaCopyContext* context) {
    if (!classDef) return nullptr;
    switch (classDef->GetClassType()) {
        case FdoClassType_Class:
            if (auto* cls = dynamic_cast<FdoClass*>(classDef)) return DeepCopyFdoClass(cls, context);
            break;
        case FdoClassType_FeatureClass:
            if (auto* cls = dynamic_cast<FdoFeatureClass*>(classDef)) return DeepCopyFdoFeatureClass(cls, context);
            break;
        default:
            break;
    }
    throw FdoException::Create(L"Method is not implemented.");
}

// The members of a class, in the order that satisfies the class rules:
// identity before the identity list, the base class before inherited
// properties, data properties before the associations that refer to them.
static void CopyClassMembers(FdoClassDefinition* src, FdoClassDefinition* dst, FdoCommonSchemaCopyContext* ctx) {
    FdoCommonSchemaUtil::CopySchemaAttributes(src, dst);
    dst->SetIsAbstract(src->GetIsAbstract());
    dst->SetIsComputed(src->GetIsComputed());

    FdoPtr<FdoPropertyDefinitionCollection> props = src->GetProperties();
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = src->GetIdentityProperties();
    FdoPtr<FdoPropertyDefinitionCollection> dstProps = dst->GetProperties();

    auto copyProperty = [&](FdoPropertyDefinition* p) {
        if (!ctx->CanCopyProperty(p->GetName())) return;
        FdoPtr<FdoPropertyDefinition> copy = FdoCommonSchemaUtil::DeepCopyFdoPropertyDefinition(p, ctx);
        if (copy && !FdoPtr<FdoSchemaElement>(copy->GetParent())) dstProps->Add(copy);
    };
    auto copyKinds = [&](std::initializer_list<FdoPropertyType> kinds, bool skipIdentity) {
        for (FdoInt32 i = 0; i < props->GetCount(); i++) {
            FdoPtr<FdoPropertyDefinition> p = props->GetItem(i);
            if (skipIdentity && IsIdentity(identity, p)) continue;
            for (FdoPropertyType k : kinds)
                if (p->GetPropertyType() == k) copyProperty(p);
        }
    };

    for (FdoInt32 i = 0; i < identity->GetCount(); i++) copyProperty(FdoPtr<FdoDataPropertyDefinition>(identity->GetItem(i)));
    copyKinds({FdoPropertyType_DataProperty}, true);
    FdoPtr<FdoDataPropertyDefinitionCollection> dstIdentity = dst->GetIdentityProperties();
    for (FdoInt32 i = 0; i < identity->GetCount(); i++) {
        FdoPtr<FdoDataPropertyDefinition> id = identity->GetItem(i);
        FdoPtr<FdoDataPropertyDefinition> found = dynamic_cast<FdoDataPropertyDefinition*>(dstProps->FindItem(id->GetName()));
        if (found) dstIdentity->Add(found);
    }
    copyKinds({FdoPropertyType_GeometricProperty, FdoPropertyType_RasterProperty}, false);

    FdoPtr<FdoClassDefinition> base = src->GetBaseClass();
    if (base) dst->SetBaseClass(FdoPtr<FdoClassDefinition>(FdoCommonSchemaUtil::DeepCopyFdoClassDefinition(base, ctx)));

    FdoPtr<FdoReadOnlyPropertyDefinitionCollection> baseProps = src->GetBaseProperties();
    if (baseProps->GetCount() > 0) {
        FdoPtr<FdoPropertyDefinitionCollection> copies = FdoPropertyDefinitionCollection::Create(nullptr);
        for (FdoInt32 i = 0; i < baseProps->GetCount(); i++) {
            FdoPtr<FdoPropertyDefinition> p = baseProps->GetItem(i);
            if (!ctx->CanCopyProperty(p->GetName())) continue;
            FdoPtr<FdoPropertyDefinition> copy = FdoCommonSchemaUtil::DeepCopyFdoPropertyDefinition(p, ctx);
            if (copy && !copies->Contains(copy->GetName())) copies->Add(copy);
        }
        dst->SetBaseProperties(copies);
    }

    copyKinds({FdoPropertyType_ObjectProperty, FdoPropertyType_AssociationProperty}, false);

    FdoPtr<FdoClassCapabilities> caps = src->GetCapabilities();
    if (caps)
        dst->SetCapabilities(FdoPtr<FdoClassCapabilities>(
            FdoCommonSchemaUtil::DeepCopyFdoClassCapabilities(caps, ctx->GetReadOnlyCapabilities())));

    FdoPtr<FdoUniqueConstraintCollection> constraints = src->GetUniqueConstraints();
    FdoPtr<FdoUniqueConstraintCollection> dstConstraints = dst->GetUniqueConstraints();
    for (FdoInt32 i = 0; i < constraints->GetCount(); i++) {
        FdoPtr<FdoDataPropertyDefinitionCollection> members =
            FdoPtr<FdoUniqueConstraint>(constraints->GetItem(i))->GetProperties();
        FdoPtr<FdoUniqueConstraint> copy = FdoUniqueConstraint::Create();
        FdoPtr<FdoDataPropertyDefinitionCollection> copyMembers = copy->GetProperties();
        bool complete = members->GetCount() > 0;
        for (FdoInt32 m = 0; complete && m < members->GetCount(); m++) {
            FdoPtr<FdoDataPropertyDefinition> member = members->GetItem(m);
            FdoPtr<FdoDataPropertyDefinition> memberCopy = ctx->FindCopy<FdoDataPropertyDefinition>(member);
            if (memberCopy) copyMembers->Add(memberCopy);
            else complete = false;
        }
        if (complete) dstConstraints->Add(copy);
    }
}

FdoClass* FdoCommonSchemaUtil::DeepCopyFdoClass(FdoClass* classDef, FdoCommonSchemaCopyContext* context) {
    if (!classDef) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    FdoPtr<FdoClass> copy = ctx->FindCopy<FdoClass>(classDef);
    if (copy) return Handed(copy);
    copy = FdoClass::Create(classDef->GetName(), classDef->GetDescription());
    ctx->InsertSchemaElement(classDef, copy);
    CopyClassMembers(classDef, copy, ctx);
    return Handed(copy);
}

FdoFeatureClass* FdoCommonSchemaUtil::DeepCopyFdoFeatureClass(FdoFeatureClass* classDef,
                                                              FdoCommonSchemaCopyContext* context) {
    if (!classDef) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    FdoPtr<FdoFeatureClass> copy = ctx->FindCopy<FdoFeatureClass>(classDef);
    if (copy) return Handed(copy);
    copy = FdoFeatureClass::Create(classDef->GetName(), classDef->GetDescription());
    ctx->InsertSchemaElement(classDef, copy);
    CopyClassMembers(classDef, copy, ctx);

    FdoPtr<FdoGeometricPropertyDefinition> geometry = classDef->GetGeometryProperty();
    if (geometry) {
        FdoPtr<FdoPropertyDefinitionCollection> own = copy->GetProperties();
        FdoPtr<FdoPropertyDefinition> found = own->FindItem(geometry->GetName());
        if (!found) found = FdoPtr<FdoReadOnlyPropertyDefinitionCollection>(copy->GetBaseProperties())
                                ->FindItem(geometry->GetName());
        if (auto* g = dynamic_cast<FdoGeometricPropertyDefinition*>(found.p)) copy->SetGeometryProperty(g);
    }
    return Handed(copy);
}

FdoClassCapabilities* FdoCommonSchemaUtil::DeepCopyFdoClassCapabilities(FdoClassCapabilities* capabilities,
                                                                        bool readOnly) {
    if (!capabilities) return nullptr;
    FdoClassCapabilities* copy = FdoClassCapabilities::Create();
    copy->m_vertexOrder = capabilities->m_vertexOrder;
    if (readOnly) return copy;
    copy->m_locking = capabilities->m_locking;
    copy->m_lockTypes = capabilities->m_lockTypes;
    copy->m_longTransactions = capabilities->m_longTransactions;
    copy->m_write = capabilities->m_write;
    return copy;
}

FdoPropertyDefinition* FdoCommonSchemaUtil::DeepCopyFdoPropertyDefinition(FdoPropertyDefinition* property,
                                                                          FdoCommonSchemaCopyContext* context) {
    if (!property) return nullptr;
    switch (property->GetPropertyType()) {
        case FdoPropertyType_DataProperty:
            return DeepCopyFdoDataPropertyDefinition(dynamic_cast<FdoDataPropertyDefinition*>(property), context);
        case FdoPropertyType_GeometricProperty:
            return DeepCopyFdoGeometricPropertyDefinition(dynamic_cast<FdoGeometricPropertyDefinition*>(property),
                                                          context);
        case FdoPropertyType_ObjectProperty:
            return DeepCopyFdoObjectPropertyDefinition(dynamic_cast<FdoObjectPropertyDefinition*>(property),
                                                       context);
        case FdoPropertyType_AssociationProperty:
            return DeepCopyFdoAssociationPropertyDefinition(
                dynamic_cast<FdoAssociationPropertyDefinition*>(property), context);
        case FdoPropertyType_RasterProperty:
            return DeepCopyFdoRasterPropertyDefinition(dynamic_cast<FdoRasterPropertyDefinition*>(property),
                                                       context);
    }
    throw FdoException::Create(L"Method is not implemented.");
}

// Looks the property up in the context, or creates its copy with the
// common fields set and enters it.
template <class T>
static FdoPtr<T> StartPropertyCopy(T* property, FdoCommonSchemaCopyContext* ctx, bool& existing) {
    FdoPtr<T> copy = ctx->FindCopy<T>(property);
    existing = copy != nullptr;
    if (existing) return copy;
    copy = T::Create(property->GetName(), property->GetDescription(), property->GetIsSystem());
    FdoCommonSchemaUtil::CopySchemaAttributes(property, copy);
    ctx->InsertSchemaElement(property, copy);
    return copy;
}

FdoDataPropertyDefinition* FdoCommonSchemaUtil::DeepCopyFdoDataPropertyDefinition(
    FdoDataPropertyDefinition* property, FdoCommonSchemaCopyContext* context) {
    if (!property) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    bool existing;
    FdoPtr<FdoDataPropertyDefinition> copy = StartPropertyCopy(property, ctx.p, existing);
    if (existing) return Handed(copy);
    copy->SetDataType(property->GetDataType());
    copy->SetReadOnly(property->GetReadOnly());
    copy->SetLength(property->GetLength());
    copy->SetPrecision(property->GetPrecision());
    copy->SetScale(property->GetScale());
    copy->SetNullable(property->GetNullable());
    copy->SetIsAutoGenerated(property->GetIsAutoGenerated());
    copy->SetDefaultValue(property->GetDefaultValue());
    FdoPtr<FdoPropertyValueConstraint> constraint = property->GetValueConstraint();
    copy->SetValueConstraint(FdoPtr<FdoPropertyValueConstraint>(DeepCopyFdoPropertyValueConstraint(constraint)));
    return Handed(copy);
}

FdoGeometricPropertyDefinition* FdoCommonSchemaUtil::DeepCopyFdoGeometricPropertyDefinition(
    FdoGeometricPropertyDefinition* property, FdoCommonSchemaCopyContext* context) {
    if (!property) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    bool existing;
    FdoPtr<FdoGeometricPropertyDefinition> copy = StartPropertyCopy(property, ctx.p, existing);
    if (existing) return Handed(copy);
    FdoInt32 count = 0;
    FdoGeometryType* types = property->GetSpecificGeometryTypes(count);
    copy->SetSpecificGeometryTypes(types, count);
    copy->SetHasElevation(property->GetHasElevation());
    copy->SetHasMeasure(property->GetHasMeasure());
    copy->SetReadOnly(property->GetReadOnly());
    copy->SetSpatialContextAssociation(property->GetSpatialContextAssociation());
    return Handed(copy);
}

FdoObjectPropertyDefinition* FdoCommonSchemaUtil::DeepCopyFdoObjectPropertyDefinition(
    FdoObjectPropertyDefinition* property, FdoCommonSchemaCopyContext* context) {
    if (!property) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    bool existing;
    FdoPtr<FdoObjectPropertyDefinition> copy = StartPropertyCopy(property, ctx.p, existing);
    if (existing) return Handed(copy);
    FdoPtr<FdoClassDefinition> cls = property->GetClass();
    copy->SetClass(FdoPtr<FdoClassDefinition>(DeepCopyFdoClassDefinition(cls, ctx)));
    FdoPtr<FdoDataPropertyDefinition> identity = property->GetIdentityProperty();
    copy->SetIdentityProperty(FdoPtr<FdoDataPropertyDefinition>(DeepCopyFdoDataPropertyDefinition(identity, ctx)));
    copy->SetObjectType(property->GetObjectType());
    copy->SetOrderType(property->GetOrderType());
    return Handed(copy);
}

FdoAssociationPropertyDefinition* FdoCommonSchemaUtil::DeepCopyFdoAssociationPropertyDefinition(
    FdoAssociationPropertyDefinition* property, FdoCommonSchemaCopyContext* context) {
    if (!property) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    bool existing;
    FdoPtr<FdoAssociationPropertyDefinition> copy = StartPropertyCopy(property, ctx.p, existing);
    if (existing) return Handed(copy);
    FdoPtr<FdoClassDefinition> cls = property->GetAssociatedClass();
    copy->SetAssociatedClass(FdoPtr<FdoClassDefinition>(DeepCopyFdoClassDefinition(cls, ctx)));
    auto copyKeys = [&](FdoDataPropertyDefinitionCollection* from, FdoDataPropertyDefinitionCollection* to) {
        for (FdoInt32 i = 0; i < from->GetCount(); i++) {
            FdoPtr<FdoDataPropertyDefinition> key = from->GetItem(i);
            to->Add(FdoPtr<FdoDataPropertyDefinition>(DeepCopyFdoDataPropertyDefinition(key, ctx)));
        }
    };
    copyKeys(FdoPtr<FdoDataPropertyDefinitionCollection>(property->GetIdentityProperties()),
             FdoPtr<FdoDataPropertyDefinitionCollection>(copy->GetIdentityProperties()));
    copyKeys(FdoPtr<FdoDataPropertyDefinitionCollection>(property->GetReverseIdentityProperties()),
             FdoPtr<FdoDataPropertyDefinitionCollection>(copy->GetReverseIdentityProperties()));
    copy->SetReverseName(property->GetReverseName());
    copy->SetDeleteRule(property->GetDeleteRule());
    copy->SetLockCascade(property->GetLockCascade());
    copy->SetIsReadOnly(property->GetIsReadOnly());
    copy->SetMultiplicity(property->GetMultiplicity());
    copy->SetReverseMultiplicity(property->GetReverseMultiplicity());
    return Handed(copy);
}

FdoRasterPropertyDefinition* FdoCommonSchemaUtil::DeepCopyFdoRasterPropertyDefinition(
    FdoRasterPropertyDefinition* property, FdoCommonSchemaCopyContext* context) {
    if (!property) return nullptr;
    FdoPtr<FdoCommonSchemaCopyContext> ctx = ContextOrNew(context);
    bool existing;
    FdoPtr<FdoRasterPropertyDefinition> copy = StartPropertyCopy(property, ctx.p, existing);
    if (existing) return Handed(copy);
    copy->SetNullable(property->GetNullable());
    copy->SetReadOnly(property->GetReadOnly());
    copy->SetDefaultImageXSize(property->GetDefaultImageXSize());
    copy->SetDefaultImageYSize(property->GetDefaultImageYSize());
    copy->SetSpatialContextAssociation(property->GetSpatialContextAssociation());
    return Handed(copy);
}

FdoPropertyValueConstraint* FdoCommonSchemaUtil::DeepCopyFdoPropertyValueConstraint(
    FdoPropertyValueConstraint* constraint) {
    if (auto* range = dynamic_cast<FdoPropertyValueConstraintRange*>(constraint)) {
        FdoPtr<FdoDataValue> min = range->GetMinValue();
        FdoPtr<FdoDataValue> max = range->GetMaxValue();
        return FdoPropertyValueConstraintRange::Create(FdoPtr<FdoDataValue>(CopyDataValue(min)),
                                                       range->GetMinInclusive(),
                                                       FdoPtr<FdoDataValue>(CopyDataValue(max)),
                                                       range->GetMaxInclusive());
    }
    if (auto* list = dynamic_cast<FdoPropertyValueConstraintList*>(constraint)) {
        FdoPtr<FdoPropertyValueConstraintList> copy = FdoPropertyValueConstraintList::Create();
        FdoPtr<FdoDataValueCollection> from = list->GetConstraintList();
        FdoPtr<FdoDataValueCollection> to = copy->GetConstraintList();
        for (FdoInt32 i = 0; i < from->GetCount(); i++)
            to->Add(FdoPtr<FdoDataValue>(CopyDataValue(FdoPtr<FdoDataValue>(from->GetItem(i)))));
        return Handed(copy);
    }
    return nullptr;
}

FdoDataValue* FdoCommonSchemaUtil::CopyDataValue(FdoDataValue* value) {
    if (!value) return nullptr;
    return FdoDataValue::Create(value->GetDataType(), value);
}

void FdoCommonSchemaUtil::CopySchemaAttributes(FdoSchemaElement* source, FdoSchemaElement* target) {
    FdoPtr<FdoSchemaAttributeDictionary> from = source->GetAttributes();
    FdoPtr<FdoSchemaAttributeDictionary> to = target->GetAttributes();
    to->Clear();
    FdoInt32 count = 0;
    FdoString** names = from->GetAttributeNames(count);
    for (FdoInt32 i = 0; i < count; i++) to->Add(names[i], from->GetAttributeValue(names[i]));
}
