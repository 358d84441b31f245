// Class rules: identity lists, base classes and inherited properties, the
// main geometry, unique constraints and the class search across schemas.
#include <Fdo.h>

#include <gtest/gtest.h>

#include <string>

namespace {

template <class F>
std::wstring SchemaError(F f) {
    try {
        f();
    } catch (FdoSchemaException* e) {
        std::wstring m = e->GetExceptionMessage();
        e->Release();
        return m;
    } catch (FdoException* e) {
        std::wstring m = std::wstring(L"(wrong kind) ") + e->GetExceptionMessage();
        e->Release();
        return m;
    }
    return L"(no exception)";
}

bool Has(const std::wstring& text, const wchar_t* part) { return text.find(part) != std::wstring::npos; }

template <class T>
FdoPtr<T> AddProperty(FdoClassDefinition* cls, FdoString* name) {
    FdoPtr<T> p = T::Create(name, L"");
    FdoPtr<FdoPropertyDefinitionCollection>(cls->GetProperties())->Add(p);
    return p;
}

FdoPtr<FdoDataPropertyDefinitionCollection> Identity(FdoClassDefinition* cls) {
    return cls->GetIdentityProperties();
}

std::wstring Names(FdoReadOnlyPropertyDefinitionCollection* list) {
    std::wstring s;
    for (FdoInt32 i = 0; i < list->GetCount(); i++)
        s += (i ? L"," : L"") + std::wstring(FdoPtr<FdoPropertyDefinition>(list->GetItem(i))->GetName());
    return s;
}

}  // namespace

TEST(SchemaIdentity, MembersOnlyAndFollowRemoval) {
    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(L"C", L"");
    auto id = AddProperty<FdoDataPropertyDefinition>(cls, L"Id");
    auto code = AddProperty<FdoDataPropertyDefinition>(cls, L"Code");
    auto geom = AddProperty<FdoGeometricPropertyDefinition>(cls, L"Geom");
    FdoPtr<FdoDataPropertyDefinition> stranger = FdoDataPropertyDefinition::Create(L"Stranger", L"");

    EXPECT_EQ(SchemaError([&] { Identity(cls)->Add(stranger); }),
              L"Identity Property must be member of Property collection.");
    Identity(cls)->Add(id);
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(id->GetParent()).p, cls.p);  // not re-parented

    FdoPtr<FdoUniqueConstraint> unique = FdoUniqueConstraint::Create();
    FdoPtr<FdoDataPropertyDefinitionCollection>(unique->GetProperties())->Add(code);
    FdoPtr<FdoUniqueConstraintCollection>(cls->GetUniqueConstraints())->Add(unique);
    cls->SetGeometryProperty(geom);

    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    props->Remove(id.p);
    props->Remove(code.p);
    props->Remove(geom.p);
    EXPECT_EQ(Identity(cls)->GetCount(), 0);
    EXPECT_EQ(FdoPtr<FdoUniqueConstraintCollection>(cls->GetUniqueConstraints())->GetCount(), 0);
    EXPECT_EQ(FdoPtr<FdoGeometricPropertyDefinition>(cls->GetGeometryProperty()).p, nullptr);
}

TEST(SchemaBaseClass, TypeIdentityAndCycleRules) {
    FdoPtr<FdoFeatureClass> feature = FdoFeatureClass::Create(L"F", L"");
    FdoPtr<FdoFeatureClass> feature2 = FdoFeatureClass::Create(L"F2", L"");
    FdoPtr<FdoClass> plain = FdoClass::Create(L"P", L"");
    feature2->SetBaseClass(feature);
    feature2->SetBaseClass(nullptr);
    feature->SetBaseClass(plain);  // a plain class may sit on either side
    plain->SetBaseClass(feature2);
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(feature->GetBaseClass()).p, plain.p);

    // feature -> plain -> feature2: closing the loop is refused at any length.
    EXPECT_TRUE(Has(SchemaError([&] { feature2->SetBaseClass(feature); }), L"cycle"));
    EXPECT_TRUE(Has(SchemaError([&] { feature->SetBaseClass(feature); }), L"cycle"));
    EXPECT_EQ(FdoPtr<FdoClassDefinition>(feature2->GetBaseClass()).p, nullptr);

    FdoPtr<FdoClass> keyed = FdoClass::Create(L"Keyed", L"");
    auto key = AddProperty<FdoDataPropertyDefinition>(keyed, L"Key");
    Identity(keyed)->Add(key);
    EXPECT_TRUE(Has(SchemaError([&] { keyed->SetBaseClass(plain); }), L"identity"));

    auto subKey = AddProperty<FdoDataPropertyDefinition>(feature2, L"SubKey");
    feature2->SetBaseClass(keyed);
    EXPECT_TRUE(Has(SchemaError([&] { Identity(feature2)->Add(subKey); }), L"base class"));
    feature2->SetBaseClass(nullptr);
    plain->SetBaseClass(nullptr);
}

TEST(SchemaBaseClass, InheritedPropertiesFollowTheChain) {
    FdoPtr<FdoFeatureClass> root = FdoFeatureClass::Create(L"Root", L"");
    FdoPtr<FdoFeatureClass> mid = FdoFeatureClass::Create(L"Mid", L"");
    FdoPtr<FdoFeatureClass> leaf = FdoFeatureClass::Create(L"Leaf", L"");
    auto id = AddProperty<FdoDataPropertyDefinition>(root, L"Id");
    Identity(root)->Add(id);
    AddProperty<FdoGeometricPropertyDefinition>(root, L"Geom");
    AddProperty<FdoDataPropertyDefinition>(mid, L"MidProp");
    AddProperty<FdoDataPropertyDefinition>(leaf, L"LeafProp");

    FdoPtr<FdoPropertyDefinitionCollection> system = FdoPropertyDefinitionCollection::Create(nullptr);
    system->Add(FdoPtr<FdoDataPropertyDefinition>(FdoDataPropertyDefinition::Create(L"Sys", L"", true)));
    root->SetBaseProperties(system);
    mid->SetBaseClass(root);
    leaf->SetBaseClass(mid);

    EXPECT_EQ(Names(FdoPtr<FdoReadOnlyPropertyDefinitionCollection>(root->GetBaseProperties())), L"Sys");
    EXPECT_EQ(Names(FdoPtr<FdoReadOnlyPropertyDefinitionCollection>(leaf->GetBaseProperties())),
              L"Sys,Id,Geom,MidProp");
    AddProperty<FdoDataPropertyDefinition>(mid, L"Later");
    FdoPtr<FdoReadOnlyPropertyDefinitionCollection> inherited = leaf->GetBaseProperties();
    EXPECT_TRUE(inherited->Contains(L"Later"));
    EXPECT_TRUE(Has(SchemaError([&] { inherited->GetItem(L"Nope"); }), L"Nope"));

    FdoPtr<FdoDataPropertyDefinitionCollection> baseId = leaf->GetBaseIdentityProperties();
    EXPECT_EQ(baseId.p, Identity(root).p);
    EXPECT_EQ(Identity(leaf)->GetCount(), 0);
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinitionCollection>(root->GetBaseIdentityProperties())->GetCount(), 0);
}

TEST(SchemaFeatureClass, GeometryMustComeFromTheClassOrAnAncestor) {
    FdoPtr<FdoFeatureClass> base = FdoFeatureClass::Create(L"Base", L"");
    FdoPtr<FdoFeatureClass> sub = FdoFeatureClass::Create(L"Sub", L"");
    auto inherited = AddProperty<FdoGeometricPropertyDefinition>(base, L"Shape");
    sub->SetBaseClass(base);
    sub->SetGeometryProperty(inherited);
    EXPECT_EQ(FdoPtr<FdoGeometricPropertyDefinition>(sub->GetGeometryProperty()).p, inherited.p);

    FdoPtr<FdoGeometricPropertyDefinition> loose = FdoGeometricPropertyDefinition::Create(L"Loose", L"");
    EXPECT_TRUE(Has(SchemaError([&] { sub->SetGeometryProperty(loose); }), L"Loose"));
    sub->SetGeometryProperty(nullptr);
    EXPECT_EQ(FdoPtr<FdoGeometricPropertyDefinition>(sub->GetGeometryProperty()).p, nullptr);
}

TEST(SchemaFindClass, WithAndWithoutSchemaPart) {
    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    for (FdoString* schemaName : {L"A", L"B"}) {
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(schemaName, L"");
        FdoPtr<FdoClassCollection> classes = schema->GetClasses();
        classes->Add(FdoPtr<FdoFeatureClass>(FdoFeatureClass::Create(L"Road", L"")));
        classes->Add(FdoPtr<FdoClass>(FdoClass::Create(FdoStringP(L"Only") + schemaName, L"")));
        schemas->Add(schema);
    }
    auto count = [&](FdoString* text) { return FdoPtr<FdoIDisposableCollection>(schemas->FindClass(text))->GetCount(); };
    EXPECT_EQ(count(L"Road"), 2);
    EXPECT_EQ(count(L"B:Road"), 1);
    EXPECT_EQ(count(L"OnlyA"), 1);
    EXPECT_EQ(count(L"B:OnlyA"), 0);
    EXPECT_EQ(count(L"C:Road"), 0);
    EXPECT_EQ(count(L"road"), 0);

    FdoPtr<FdoIDisposableCollection> found = schemas->FindClass(L"B:Road");
    auto* cls = dynamic_cast<FdoClassDefinition*>(FdoPtr<FdoIDisposable>(found->GetItem(0)).p);
    ASSERT_NE(cls, nullptr);
    EXPECT_STREQ(cls->GetQualifiedName(), L"B:Road");
}

TEST(SchemaCapabilities, DefaultsAndPerPropertyVertexOrder) {
    FdoPtr<FdoClassCapabilities> caps = FdoClassCapabilities::Create();
    FdoInt32 n = -1;
    caps->GetLockTypes(n);
    EXPECT_EQ(n, 0);
    EXPECT_FALSE(caps->SupportsLocking() || caps->SupportsLongTransactions() || caps->SupportsWrite());
    EXPECT_EQ(caps->GetPolygonVertexOrderRule(L"Geom"), FdoPolygonVertexOrderRule_None);
    caps->SetPolygonVertexOrderRule(L"Geom", FdoPolygonVertexOrderRule_CW);
    caps->SetPolygonVertexOrderStrictness(L"Geom", true);
    EXPECT_EQ(caps->GetPolygonVertexOrderRule(L"Geom"), FdoPolygonVertexOrderRule_CW);
    EXPECT_TRUE(caps->GetPolygonVertexOrderStrictness(L"Geom"));
    EXPECT_FALSE(caps->GetPolygonVertexOrderStrictness(L"Other"));
}
