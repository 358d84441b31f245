// Structural comparison of schemas: walks both sides in step and stops at
// the first difference, described as "<element path>: <what> <expected> !=
// <actual>".
#include <FdoCommon/FdoCommonSchemaCompare.h>
#include <FdoCommon/FdoCommonSchemaUtil.h>

#include <type_traits>

namespace {

FdoStringP Quote(FdoString* s) { return FdoStringP(L"'") + (s ? s : L"") + L"'"; }

FdoStringP Diff(FdoString* path, FdoString* what, const FdoStringP& expected, const FdoStringP& actual) {
    return FdoStringP(path) + L": " + what + L" " + expected + L" != " + actual;
}

FdoStringP Num(FdoInt64 v) { return FdoStringP::Format(L"%lld", static_cast<long long>(v)); }
FdoStringP Bool(bool v) { return v ? L"true" : L"false"; }

// Appends the first difference found so far; later checks are skipped.
struct Checker {
    FdoStringP path;
    FdoStringP result;

    bool Done() const { return !result.IsEmpty(); }
    void Text(FdoString* what, FdoString* e, FdoString* a) {
        if (!Done() && wcscmp(e ? e : L"", a ? a : L"") != 0) result = Diff(path, what, Quote(e), Quote(a));
    }
    void Int(FdoString* what, FdoInt64 e, FdoInt64 a) {
        if (!Done() && e != a) result = Diff(path, what, Num(e), Num(a));
    }
    void Flag(FdoString* what, bool e, bool a) {
        if (!Done() && e != a) result = Diff(path, what, Bool(e), Bool(a));
    }
    void Fail(FdoString* what) {
        if (!Done()) result = path + L": " + what;
    }
    void Take(const FdoStringP& inner) {
        if (!Done()) result = inner;
    }
};

FdoStringP Name(FdoSchemaElement* e) { return e ? FdoStringP(e->GetName()) : FdoStringP(L"(none)"); }

FdoStringP ValueText(FdoDataValue* v) {
    if (!v) return L"(none)";
    return FdoStringP::Format(L"%d:%ls", static_cast<int>(v->GetDataType()), v->ToString());
}

void CompareAttributes(Checker& c, FdoSchemaElement* e, FdoSchemaElement* a) {
    FdoPtr<FdoSchemaAttributeDictionary> de = e->GetAttributes();
    FdoPtr<FdoSchemaAttributeDictionary> da = a->GetAttributes();
    c.Int(L"attribute count", de->GetCount(), da->GetCount());
    FdoInt32 n = 0;
    FdoString** names = de->GetAttributeNames(n);
    for (FdoInt32 i = 0; i < n && !c.Done(); i++) {
        if (!da->ContainsAttribute(names[i])) {
            c.Fail(FdoStringP(L"attribute ") + Quote(names[i]) + L" missing");
            break;
        }
        c.Text(FdoStringP(L"attribute ") + Quote(names[i]), de->GetAttributeValue(names[i]),
               da->GetAttributeValue(names[i]));
    }
}

template <class COLL>
FdoStringP NameList(COLL* coll) {
    FdoStringP list;
    for (FdoInt32 i = 0; coll && i < coll->GetCount(); i++) {
        FdoPtr<FdoSchemaElement> item = coll->GetItem(i);
        list += (i ? L"," : L"") + FdoStringP(item->GetName());
    }
    return L"[" + list + L"]";
}

// Matches members by name: first a member missing on the actual side,
// then one only the actual side has, then each pair in expected order.
template <class COLL, class F>
void CompareByName(Checker& c, FdoString* kind, COLL* e, COLL* a, F compareItem) {
    for (FdoInt32 i = 0; i < e->GetCount() && !c.Done(); i++) {
        FdoPtr<FdoSchemaElement> item = e->GetItem(i);
        if (!a->Contains(item->GetName())) c.Fail(FdoStringP(kind) + L" " + Quote(item->GetName()) + L" missing");
    }
    for (FdoInt32 i = 0; i < a->GetCount() && !c.Done(); i++) {
        FdoPtr<FdoSchemaElement> item = a->GetItem(i);
        if (!e->Contains(item->GetName())) c.Fail(FdoStringP(kind) + L" " + Quote(item->GetName()) + L" unexpected");
    }
    for (FdoInt32 i = 0; i < e->GetCount() && !c.Done(); i++) {
        using Item = std::remove_pointer_t<decltype(e->GetItem(0))>;
        FdoPtr<Item> ei = e->GetItem(i);
        FdoPtr<Item> ai = a->GetItem(ei->GetName());
        c.Take(compareItem(ei, ai));
    }
}

void CompareConstraint(Checker& c, FdoPropertyValueConstraint* e, FdoPropertyValueConstraint* a) {
    if (!e || !a) {
        c.Flag(L"has value constraint", e != nullptr, a != nullptr);
        return;
    }
    c.Int(L"constraint type", e->GetConstraintType(), a->GetConstraintType());
    if (c.Done()) return;
    if (auto* re = dynamic_cast<FdoPropertyValueConstraintRange*>(e)) {
        auto* ra = static_cast<FdoPropertyValueConstraintRange*>(a);
        FdoPtr<FdoDataValue> emin = re->GetMinValue(), amin = ra->GetMinValue();
        FdoPtr<FdoDataValue> emax = re->GetMaxValue(), amax = ra->GetMaxValue();
        c.Text(L"range minimum", ValueText(emin), ValueText(amin));
        c.Text(L"range maximum", ValueText(emax), ValueText(amax));
        c.Flag(L"range minimum inclusive", re->GetMinInclusive(), ra->GetMinInclusive());
        c.Flag(L"range maximum inclusive", re->GetMaxInclusive(), ra->GetMaxInclusive());
    } else if (auto* le = dynamic_cast<FdoPropertyValueConstraintList*>(e)) {
        FdoPtr<FdoDataValueCollection> ve = le->GetConstraintList();
        FdoPtr<FdoDataValueCollection> va = static_cast<FdoPropertyValueConstraintList*>(a)->GetConstraintList();
        c.Int(L"list constraint size", ve->GetCount(), va->GetCount());
        for (FdoInt32 i = 0; i < ve->GetCount() && !c.Done(); i++)
            c.Text(L"list constraint value", ValueText(FdoPtr<FdoDataValue>(ve->GetItem(i))),
                   ValueText(FdoPtr<FdoDataValue>(va->GetItem(i))));
    }
}

void CompareData(Checker& c, FdoDataPropertyDefinition* e, FdoDataPropertyDefinition* a) {
    c.Int(L"data type", e->GetDataType(), a->GetDataType());
    c.Int(L"length", e->GetLength(), a->GetLength());
    c.Int(L"precision", e->GetPrecision(), a->GetPrecision());
    c.Int(L"scale", e->GetScale(), a->GetScale());
    c.Flag(L"nullable", e->GetNullable(), a->GetNullable());
    c.Flag(L"read-only", e->GetReadOnly(), a->GetReadOnly());
    c.Flag(L"autogenerated", e->GetIsAutoGenerated(), a->GetIsAutoGenerated());
    c.Text(L"default value", e->GetDefaultValue(), a->GetDefaultValue());
    if (!c.Done())
        CompareConstraint(c, FdoPtr<FdoPropertyValueConstraint>(e->GetValueConstraint()),
                          FdoPtr<FdoPropertyValueConstraint>(a->GetValueConstraint()));
}

void CompareGeometric(Checker& c, FdoGeometricPropertyDefinition* e, FdoGeometricPropertyDefinition* a) {
    c.Int(L"geometric types", e->GetGeometryTypes(), a->GetGeometryTypes());
    FdoInt32 ne = 0, na = 0;
    FdoGeometryType* te = e->GetSpecificGeometryTypes(ne);
    FdoGeometryType* ta = a->GetSpecificGeometryTypes(na);
    auto list = [](FdoGeometryType* t, FdoInt32 n) {
        FdoStringP s;
        for (FdoInt32 i = 0; i < n; i++) s += FdoStringP::Format(i ? L",%d" : L"%d", static_cast<int>(t[i]));
        return L"[" + s + L"]";
    };
    c.Text(L"geometry types", list(te, ne), list(ta, na));
    c.Flag(L"has elevation", e->GetHasElevation(), a->GetHasElevation());
    c.Flag(L"has measure", e->GetHasMeasure(), a->GetHasMeasure());
    c.Flag(L"read-only", e->GetReadOnly(), a->GetReadOnly());
    c.Text(L"spatial context", e->GetSpatialContextAssociation(), a->GetSpatialContextAssociation());
}

void CompareObject(Checker& c, FdoObjectPropertyDefinition* e, FdoObjectPropertyDefinition* a) {
    c.Text(L"object class", Name(FdoPtr<FdoClassDefinition>(e->GetClass())),
           Name(FdoPtr<FdoClassDefinition>(a->GetClass())));
    c.Text(L"identity property", Name(FdoPtr<FdoDataPropertyDefinition>(e->GetIdentityProperty())),
           Name(FdoPtr<FdoDataPropertyDefinition>(a->GetIdentityProperty())));
    c.Int(L"object type", e->GetObjectType(), a->GetObjectType());
    c.Int(L"order type", e->GetOrderType(), a->GetOrderType());
}

void CompareAssociation(Checker& c, FdoAssociationPropertyDefinition* e, FdoAssociationPropertyDefinition* a) {
    c.Text(L"associated class", Name(FdoPtr<FdoClassDefinition>(e->GetAssociatedClass())),
           Name(FdoPtr<FdoClassDefinition>(a->GetAssociatedClass())));
    c.Text(L"identity properties", NameList(FdoPtr<FdoDataPropertyDefinitionCollection>(e->GetIdentityProperties()).p),
           NameList(FdoPtr<FdoDataPropertyDefinitionCollection>(a->GetIdentityProperties()).p));
    c.Text(L"reverse identity properties",
           NameList(FdoPtr<FdoDataPropertyDefinitionCollection>(e->GetReverseIdentityProperties()).p),
           NameList(FdoPtr<FdoDataPropertyDefinitionCollection>(a->GetReverseIdentityProperties()).p));
    c.Text(L"reverse name", e->GetReverseName(), a->GetReverseName());
    c.Int(L"delete rule", e->GetDeleteRule(), a->GetDeleteRule());
    c.Flag(L"lock cascade", e->GetLockCascade(), a->GetLockCascade());
    c.Flag(L"read-only", e->GetIsReadOnly(), a->GetIsReadOnly());
    c.Text(L"multiplicity", e->GetMultiplicity(), a->GetMultiplicity());
    c.Text(L"reverse multiplicity", e->GetReverseMultiplicity(), a->GetReverseMultiplicity());
}

void CompareRaster(Checker& c, FdoRasterPropertyDefinition* e, FdoRasterPropertyDefinition* a) {
    c.Flag(L"nullable", e->GetNullable(), a->GetNullable());
    c.Flag(L"read-only", e->GetReadOnly(), a->GetReadOnly());
    c.Int(L"default image x size", e->GetDefaultImageXSize(), a->GetDefaultImageXSize());
    c.Int(L"default image y size", e->GetDefaultImageYSize(), a->GetDefaultImageYSize());
    c.Text(L"spatial context", e->GetSpatialContextAssociation(), a->GetSpatialContextAssociation());
}

}  // namespace

FdoStringP FdoCommonSchemaCompare::Compare(FdoFeatureSchemaCollection* expected, FdoFeatureSchemaCollection* actual) {
    Checker c;
    c.path = L"(schemas)";
    if (!expected || !actual) {
        c.Flag(L"present", expected != nullptr, actual != nullptr);
        return c.result;
    }
    CompareByName(c, L"schema", expected, actual,
                  [](FdoFeatureSchema* e, FdoFeatureSchema* a) { return CompareSchemas(e, a); });
    return c.result;
}

FdoStringP FdoCommonSchemaCompare::CompareSchemas(FdoFeatureSchema* expected, FdoFeatureSchema* actual) {
    Checker c;
    c.path = expected->GetName();
    c.Text(L"name", expected->GetName(), actual->GetName());
    c.Text(L"description", expected->GetDescription(), actual->GetDescription());
    CompareAttributes(c, expected, actual);
    FdoPtr<FdoClassCollection> ce = expected->GetClasses();
    FdoPtr<FdoClassCollection> ca = actual->GetClasses();
    CompareByName(c, L"class", ce.p, ca.p,
                  [](FdoClassDefinition* e, FdoClassDefinition* a) { return CompareClasses(e, a); });
    return c.result;
}

FdoStringP FdoCommonSchemaCompare::CompareClasses(FdoClassDefinition* e, FdoClassDefinition* a) {
    Checker c;
    c.path = e->GetQualifiedName();
    c.Text(L"name", e->GetName(), a->GetName());
    c.Int(L"class type", e->GetClassType(), a->GetClassType());
    c.Text(L"description", e->GetDescription(), a->GetDescription());
    if (!c.Done()) CompareAttributes(c, e, a);
    c.Flag(L"abstract", e->GetIsAbstract(), a->GetIsAbstract());
    c.Flag(L"computed", e->GetIsComputed(), a->GetIsComputed());
    c.Text(L"base class", Name(FdoPtr<FdoClassDefinition>(e->GetBaseClass())),
           Name(FdoPtr<FdoClassDefinition>(a->GetBaseClass())));

    FdoPtr<FdoPropertyDefinitionCollection> pe = e->GetProperties();
    FdoPtr<FdoPropertyDefinitionCollection> pa = a->GetProperties();
    if (!c.Done())
        CompareByName(c, L"property", pe.p, pa.p,
                      [](FdoPropertyDefinition* x, FdoPropertyDefinition* y) { return CompareProperties(x, y); });

    c.Text(L"identity properties", NameList(FdoPtr<FdoDataPropertyDefinitionCollection>(e->GetIdentityProperties()).p),
           NameList(FdoPtr<FdoDataPropertyDefinitionCollection>(a->GetIdentityProperties()).p));

    FdoPtr<FdoUniqueConstraintCollection> ue = e->GetUniqueConstraints();
    FdoPtr<FdoUniqueConstraintCollection> ua = a->GetUniqueConstraints();
    c.Int(L"unique constraint count", ue->GetCount(), ua->GetCount());
    for (FdoInt32 i = 0; i < ue->GetCount() && !c.Done(); i++)
        c.Text(FdoStringP::Format(L"unique constraint %d", i),
               NameList(FdoPtr<FdoDataPropertyDefinitionCollection>(FdoPtr<FdoUniqueConstraint>(ue->GetItem(i))->GetProperties()).p),
               NameList(FdoPtr<FdoDataPropertyDefinitionCollection>(FdoPtr<FdoUniqueConstraint>(ua->GetItem(i))->GetProperties()).p));

    auto* fe = dynamic_cast<FdoFeatureClass*>(e);
    auto* fa = dynamic_cast<FdoFeatureClass*>(a);
    if (fe && fa)
        c.Text(L"geometry property", Name(FdoPtr<FdoGeometricPropertyDefinition>(fe->GetGeometryProperty())),
               Name(FdoPtr<FdoGeometricPropertyDefinition>(fa->GetGeometryProperty())));

    FdoPtr<FdoClassCapabilities> ke = e->GetCapabilities();
    FdoPtr<FdoClassCapabilities> ka = a->GetCapabilities();
    if (ke && ka && !c.Done()) {
        c.Flag(L"supports locking", ke->SupportsLocking(), ka->SupportsLocking());
        c.Flag(L"supports long transactions", ke->SupportsLongTransactions(), ka->SupportsLongTransactions());
        c.Flag(L"supports write", ke->SupportsWrite(), ka->SupportsWrite());
        if (ke->m_lockTypes != ka->m_lockTypes) c.Fail(L"lock types differ");
        for (auto& [prop, order] : ke->m_vertexOrder) {
            c.Int(FdoStringP(L"polygon vertex order rule of ") + Quote(prop.c_str()), order.rule,
                  ka->GetPolygonVertexOrderRule(prop.c_str()));
            c.Flag(FdoStringP(L"polygon vertex order strictness of ") + Quote(prop.c_str()), order.strict,
                   ka->GetPolygonVertexOrderStrictness(prop.c_str()));
        }
        for (auto& [prop, order] : ka->m_vertexOrder)
            if (!ke->m_vertexOrder.count(prop)) {
                c.Int(FdoStringP(L"polygon vertex order rule of ") + Quote(prop.c_str()), FdoPolygonVertexOrderRule_None,
                      order.rule);
                c.Flag(FdoStringP(L"polygon vertex order strictness of ") + Quote(prop.c_str()), false, order.strict);
            }
    }
    return c.result;
}

FdoStringP FdoCommonSchemaCompare::CompareProperties(FdoPropertyDefinition* e, FdoPropertyDefinition* a) {
    Checker c;
    c.path = e->GetQualifiedName();
    c.Text(L"name", e->GetName(), a->GetName());
    c.Int(L"property type", e->GetPropertyType(), a->GetPropertyType());
    if (c.Done()) return c.result;
    c.Text(L"description", e->GetDescription(), a->GetDescription());
    if (!c.Done()) CompareAttributes(c, e, a);
    c.Flag(L"system", e->GetIsSystem(), a->GetIsSystem());
    if (c.Done()) return c.result;
    switch (e->GetPropertyType()) {
        case FdoPropertyType_DataProperty:
            CompareData(c, static_cast<FdoDataPropertyDefinition*>(e), static_cast<FdoDataPropertyDefinition*>(a));
            break;
        case FdoPropertyType_GeometricProperty:
            CompareGeometric(c, static_cast<FdoGeometricPropertyDefinition*>(e),
                             static_cast<FdoGeometricPropertyDefinition*>(a));
            break;
        case FdoPropertyType_ObjectProperty:
            CompareObject(c, static_cast<FdoObjectPropertyDefinition*>(e), static_cast<FdoObjectPropertyDefinition*>(a));
            break;
        case FdoPropertyType_AssociationProperty:
            CompareAssociation(c, static_cast<FdoAssociationPropertyDefinition*>(e),
                               static_cast<FdoAssociationPropertyDefinition*>(a));
            break;
        case FdoPropertyType_RasterProperty:
            CompareRaster(c, static_cast<FdoRasterPropertyDefinition*>(e), static_cast<FdoRasterPropertyDefinition*>(a));
            break;
    }
    return c.result;
}
