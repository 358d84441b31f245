// The schema element model: names, attribute dictionaries, parenting by the
// owning collections, change states and their accept/reject cycle.
#include <Fdo.h>

#include <gtest/gtest.h>

#include <string>

namespace {

// The message of the FdoSchemaException thrown by f, or a marker text.
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

struct Sample {
    FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"S", L"schema");
    FdoPtr<FdoFeatureClass> cls = FdoFeatureClass::Create(L"Parcel", L"parcels");
    FdoPtr<FdoDataPropertyDefinition> id = FdoDataPropertyDefinition::Create(L"FeatId", L"");
    FdoPtr<FdoDataPropertyDefinition> name = FdoDataPropertyDefinition::Create(L"Name", L"");

    Sample() {
        FdoPtr<FdoPropertyDefinitionCollection>(cls->GetProperties())->Add(id);
        FdoPtr<FdoPropertyDefinitionCollection>(cls->GetProperties())->Add(name);
        FdoPtr<FdoDataPropertyDefinitionCollection>(cls->GetIdentityProperties())->Add(id);
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
    }
};

}  // namespace

TEST(SchemaNames, ColonAndDotAreRefusedEverywhere) {
    EXPECT_TRUE(Has(SchemaError([] { FdoPtr<FdoFeatureSchema> s = FdoFeatureSchema::Create(L"a:b", L""); }),
                    L"a:b"));
    EXPECT_TRUE(Has(SchemaError([] { FdoPtr<FdoClass> c = FdoClass::Create(L"a.b", L""); }), L"a.b"));
    EXPECT_TRUE(Has(SchemaError([] {
                        FdoPtr<FdoGeometricPropertyDefinition> g =
                            FdoGeometricPropertyDefinition::Create(L"G:x", L"");
                    }),
                    L"G:x"));
    FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(L"Ok_name 1", L"");
    EXPECT_TRUE(Has(SchemaError([&] { p->SetName(L"x.y"); }), L"x.y"));
    EXPECT_STREQ(p->GetName(), L"Ok_name 1");
}

TEST(SchemaNames, RenameKeepsLargeCollectionLookupsRightAndRefusesDuplicates) {
    FdoPtr<FdoClass> cls = FdoClass::Create(L"C", L"");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    for (int i = 0; i < 40; i++)
        props->Add(FdoPtr<FdoDataPropertyDefinition>(
            FdoDataPropertyDefinition::Create(FdoStringP::Format(L"P%d", i), L"")));
    FdoPtr<FdoPropertyDefinition> p7 = props->GetItem(L"P7");  // builds the name index
    p7->SetName(L"Renamed");
    EXPECT_EQ(FdoPtr<FdoPropertyDefinition>(props->FindItem(L"Renamed")).p, p7.p);
    EXPECT_EQ(FdoPtr<FdoPropertyDefinition>(props->FindItem(L"P7")).p, nullptr);
    EXPECT_TRUE(Has(SchemaError([&] { p7->SetName(L"P8"); }), L"P8"));
    EXPECT_STREQ(p7->GetName(), L"Renamed");
}

TEST(SchemaNames, CollectionsAreCaseSensitive) {
    FdoPtr<FdoClass> cls = FdoClass::Create(L"C", L"");
    FdoPtr<FdoPropertyDefinitionCollection> props = cls->GetProperties();
    props->Add(FdoPtr<FdoDataPropertyDefinition>(FdoDataPropertyDefinition::Create(L"Name", L"")));
    props->Add(FdoPtr<FdoDataPropertyDefinition>(FdoDataPropertyDefinition::Create(L"name", L"")));
    EXPECT_EQ(props->GetCount(), 2);
    EXPECT_EQ(FdoPtr<FdoPropertyDefinition>(props->FindItem(L"NAME")).p, nullptr);
    EXPECT_TRUE(Has(SchemaError([&] {
                        props->Add(FdoPtr<FdoDataPropertyDefinition>(FdoDataPropertyDefinition::Create(L"Name", L"")));
                    }),
                    L"already in this named collection"));
}

TEST(SchemaAttributes, DictionaryKeepsOrderAndReportsMisuse) {
    FdoPtr<FdoClass> cls = FdoClass::Create(L"C", L"");
    FdoPtr<FdoSchemaAttributeDictionary> dict = cls->GetAttributes();
    EXPECT_EQ(FdoPtr<FdoSchemaAttributeDictionary>(cls->GetAttributes()).p, dict.p);  // created once
    dict->Add(L"b", L"2");
    dict->Add(L"a", L"1");
    dict->Add(L"A", L"3");
    FdoInt32 n = 0;
    FdoString** names = dict->GetAttributeNames(n);
    ASSERT_EQ(n, 3);
    EXPECT_STREQ(names[0], L"b");
    EXPECT_STREQ(names[1], L"a");
    EXPECT_STREQ(names[2], L"A");
    dict->SetAttributeValue(L"a", L"one");
    EXPECT_STREQ(dict->GetAttributeValue(L"a"), L"one");
    EXPECT_STREQ(dict->GetAttributeValue(L"A"), L"3");

    EXPECT_EQ(SchemaError([&] { dict->GetAttributeValue(L"zz"); }), L"Schema attribute not found.");
    EXPECT_EQ(SchemaError([&] { dict->SetAttributeValue(L"zz", L"v"); }), L"Schema attribute not found.");
    EXPECT_FALSE(dict->ContainsAttribute(L"zz"));  // a failed set never adds
    EXPECT_EQ(SchemaError([&] { dict->Add(L"b", L"again"); }), L"Schema attribute already in dictionary.");
    EXPECT_EQ(SchemaError([&] { dict->Remove(L"zz"); }), L"Schema attribute not found.");

    dict->Remove(L"b");
    EXPECT_EQ(dict->GetCount(), 2);
    dict->Clear();
    EXPECT_EQ(dict->GetCount(), 0);
}

TEST(SchemaParenting, OwningCollectionsParentTheirMembers) {
    Sample s;
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(s.cls->GetParent()).p, s.schema.p);
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(s.name->GetParent()).p, s.cls.p);
    EXPECT_EQ(FdoPtr<FdoFeatureSchema>(s.name->GetFeatureSchema()).p, s.schema.p);
    EXPECT_STREQ(s.cls->GetQualifiedName(), L"S:Parcel");
    EXPECT_STREQ(s.name->GetQualifiedName(), L"S:Parcel.Name");
    EXPECT_STREQ(s.schema->GetQualifiedName(), L"S");

    FdoPtr<FdoClass> other = FdoClass::Create(L"Other", L"");
    FdoPtr<FdoPropertyDefinitionCollection> otherProps = other->GetProperties();
    EXPECT_EQ(SchemaError([&] { otherProps->Add(s.name); }), L"Object already has parent.");
    FdoPtr<FdoFeatureSchema> schema2 = FdoFeatureSchema::Create(L"S2", L"");
    EXPECT_EQ(SchemaError([&] { FdoPtr<FdoClassCollection>(schema2->GetClasses())->Add(s.cls); }),
              L"Object already has parent.");

    // A collection without parent is a plain list.
    FdoPtr<FdoPropertyDefinitionCollection> list = FdoPropertyDefinitionCollection::Create(nullptr);
    list->Add(s.name);
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(s.name->GetParent()).p, s.cls.p);

    FdoPtr<FdoPropertyDefinitionCollection>(s.cls->GetProperties())->Remove(s.name.p);
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(s.name->GetParent()).p, nullptr);
    EXPECT_EQ(s.name->GetElementState(), FdoSchemaElementState_Detached);
    otherProps->Add(s.name);
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(s.name->GetParent()).p, other.p);
    EXPECT_EQ(s.name->GetElementState(), FdoSchemaElementState_Added);
}

TEST(SchemaParenting, MembersOutliveTheirOwnerSafely) {
    FdoPtr<FdoPropertyDefinitionCollection> props;
    FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(L"P", L"");
    {
        FdoPtr<FdoFeatureSchema> schema = FdoFeatureSchema::Create(L"S", L"");
        FdoPtr<FdoClass> cls = FdoClass::Create(L"C", L"");
        FdoPtr<FdoClassCollection>(schema->GetClasses())->Add(cls);
        props = cls->GetProperties();
        props->Add(p);
        FdoPtr<FdoSchemaAttributeDictionary> dict = cls->GetAttributes();
        schema = nullptr;
        EXPECT_EQ(FdoPtr<FdoSchemaElement>(cls->GetParent()).p, nullptr);
        EXPECT_STREQ(cls->GetQualifiedName(), L"C");
        cls = nullptr;
        dict->Add(L"k", L"v");  // the dictionary no longer reaches its element
    }
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(p->GetParent()).p, nullptr);
    EXPECT_STREQ(p->GetQualifiedName(), L"P");
    props->Clear();
}

TEST(SchemaStates, ChangesPropagateToUnchangedParents) {
    Sample s;
    EXPECT_EQ(s.schema->GetElementState(), FdoSchemaElementState_Added);
    s.name->SetLength(10);
    EXPECT_EQ(s.name->GetElementState(), FdoSchemaElementState_Added);  // Added stays Added

    s.schema->AcceptChanges();
    EXPECT_EQ(s.schema->GetElementState(), FdoSchemaElementState_Unchanged);
    EXPECT_EQ(s.cls->GetElementState(), FdoSchemaElementState_Unchanged);
    EXPECT_EQ(s.name->GetElementState(), FdoSchemaElementState_Unchanged);

    s.name->SetLength(10);  // same value: nothing changes
    EXPECT_EQ(s.name->GetElementState(), FdoSchemaElementState_Unchanged);
    s.name->SetLength(20);
    EXPECT_EQ(s.name->GetElementState(), FdoSchemaElementState_Modified);
    EXPECT_EQ(s.cls->GetElementState(), FdoSchemaElementState_Modified);
    EXPECT_EQ(s.schema->GetElementState(), FdoSchemaElementState_Modified);

    s.schema->AcceptChanges();
    FdoPtr<FdoSchemaAttributeDictionary>(s.cls->GetAttributes())->Add(L"k", L"v");
    EXPECT_EQ(s.cls->GetElementState(), FdoSchemaElementState_Modified);

    s.name->Delete();
    s.name->SetDescription(L"still deleted");
    EXPECT_EQ(s.name->GetElementState(), FdoSchemaElementState_Deleted);
    s.name->SetElementState(FdoSchemaElementState_Added);
    EXPECT_EQ(s.name->GetElementState(), FdoSchemaElementState_Added);
}

TEST(SchemaStates, AcceptChangesDropsDeletedElements) {
    Sample s;
    s.schema->AcceptChanges();
    s.id->Delete();
    s.schema->AcceptChanges();
    FdoPtr<FdoPropertyDefinitionCollection> props = s.cls->GetProperties();
    EXPECT_FALSE(props->Contains(s.id.p));
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinitionCollection>(s.cls->GetIdentityProperties())->GetCount(), 0);
    EXPECT_EQ(s.id->GetElementState(), FdoSchemaElementState_Detached);
    EXPECT_EQ(s.cls->GetElementState(), FdoSchemaElementState_Unchanged);

    FdoPtr<FdoFeatureSchemaCollection> schemas = FdoFeatureSchemaCollection::Create(nullptr);
    schemas->Add(s.schema);
    s.schema->Delete();
    s.schema->AcceptChanges();
    EXPECT_EQ(schemas->GetCount(), 0);
}

TEST(SchemaStates, RejectChangesRestoresTheAcceptedSchema) {
    Sample s;
    FdoPtr<FdoSchemaAttributeDictionary>(s.name->GetAttributes())->Add(L"k", L"v");
    s.schema->AcceptChanges();

    FdoPtr<FdoClassCollection> classes = s.schema->GetClasses();
    FdoPtr<FdoPropertyDefinitionCollection> props = s.cls->GetProperties();
    s.name->SetName(L"Label");
    s.name->SetLength(99);
    s.name->SetIsAutoGenerated(true);
    FdoPtr<FdoSchemaAttributeDictionary>(s.name->GetAttributes())->SetAttributeValue(L"k", L"w");
    s.cls->SetIsAbstract(true);
    props->Remove(s.id.p);  // also leaves the identity list
    FdoPtr<FdoClass> added = FdoClass::Create(L"Added", L"");
    classes->Add(added);

    s.schema->RejectChanges();
    EXPECT_STREQ(s.name->GetName(), L"Name");
    EXPECT_EQ(FdoPtr<FdoPropertyDefinition>(props->FindItem(L"Name")).p, s.name.p);
    EXPECT_EQ(s.name->GetLength(), 0);
    EXPECT_FALSE(s.name->GetReadOnly());
    EXPECT_STREQ(FdoPtr<FdoSchemaAttributeDictionary>(s.name->GetAttributes())->GetAttributeValue(L"k"), L"v");
    EXPECT_FALSE(s.cls->GetIsAbstract());
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(s.id->GetParent()).p, s.cls.p);
    FdoPtr<FdoDataPropertyDefinitionCollection> identity = s.cls->GetIdentityProperties();
    ASSERT_EQ(identity->GetCount(), 1);
    EXPECT_EQ(FdoPtr<FdoDataPropertyDefinition>(identity->GetItem(0)).p, s.id.p);
    EXPECT_FALSE(classes->Contains(added.p));
    EXPECT_EQ(FdoPtr<FdoSchemaElement>(added->GetParent()).p, nullptr);
    EXPECT_EQ(s.schema->GetElementState(), FdoSchemaElementState_Unchanged);
    EXPECT_EQ(s.id->GetElementState(), FdoSchemaElementState_Unchanged);
}

TEST(SchemaDataProperty, DefaultsAndRules) {
    FdoPtr<FdoDataPropertyDefinition> p = FdoDataPropertyDefinition::Create(L"P", L"d", true);
    EXPECT_EQ(p->GetPropertyType(), FdoPropertyType_DataProperty);
    EXPECT_TRUE(p->GetIsSystem());
    EXPECT_EQ(p->GetDataType(), FdoDataType_String);
    EXPECT_EQ(p->GetLength(), 0);
    EXPECT_TRUE(p->GetNullable());
    EXPECT_FALSE(p->GetReadOnly());
    EXPECT_STREQ(p->GetDefaultValue(), L"");
    EXPECT_EQ(FdoPtr<FdoPropertyValueConstraint>(p->GetValueConstraint()).p, nullptr);

    p->SetIsAutoGenerated(true);
    EXPECT_TRUE(p->GetReadOnly());
    EXPECT_TRUE(Has(SchemaError([&] { p->SetReadOnly(false); }), L"'P'"));
    p->SetIsAutoGenerated(false);
    p->SetReadOnly(false);
    EXPECT_FALSE(p->GetReadOnly());

    EXPECT_TRUE(Has(SchemaError([&] { p->SetPrecision(-1); }), L"Precision"));
    p->SetScale(-2);
    EXPECT_EQ(p->GetScale(), -2);

    FdoPtr<FdoPropertyValueConstraintRange> range = FdoPropertyValueConstraintRange::Create();
    range->SetMinValue(FdoPtr<FdoDataValue>(FdoDataValue::Create(FdoInt32(1))));
    range->SetMaxInclusive(false);
    p->SetValueConstraint(range);
    FdoPtr<FdoPropertyValueConstraint> got = p->GetValueConstraint();
    EXPECT_EQ(got->GetConstraintType(), FdoPropertyValueConstraintType_Range);
    EXPECT_EQ(FdoPtr<FdoDataValue>(range->GetMaxValue()).p, nullptr);
}

TEST(SchemaGeometricProperty, MaskAndSpecificTypesFollowEachOther) {
    FdoPtr<FdoGeometricPropertyDefinition> g = FdoGeometricPropertyDefinition::Create(L"Geom", L"");
    FdoInt32 n = 0;
    FdoGeometryType* types = g->GetSpecificGeometryTypes(n);
    EXPECT_EQ(g->GetGeometryTypes(), FdoGeometricType_All);
    ASSERT_EQ(n, 10);
    EXPECT_EQ(types[0], FdoGeometryType_Point);
    EXPECT_EQ(types[9], FdoGeometryType_MultiCurvePolygon);

    g->SetGeometryTypes(FdoGeometricType_Point | FdoGeometricType_Surface);
    types = g->GetSpecificGeometryTypes(n);
    std::vector<FdoGeometryType> got(types, types + n);
    EXPECT_EQ(got, (std::vector<FdoGeometryType>{FdoGeometryType_Point, FdoGeometryType_Polygon,
                                                  FdoGeometryType_MultiPoint, FdoGeometryType_MultiPolygon,
                                                  FdoGeometryType_CurvePolygon, FdoGeometryType_MultiCurvePolygon}));
    g->SetGeometryTypes(FdoGeometricType_Solid);
    g->GetSpecificGeometryTypes(n);
    EXPECT_EQ(n, 0);

    const FdoGeometryType lines[] = {FdoGeometryType_MultiLineString, FdoGeometryType_LineString,
                                     FdoGeometryType_LineString};
    g->SetSpecificGeometryTypes(lines, 3);
    EXPECT_EQ(g->GetGeometryTypes(), FdoGeometricType_Curve);
    types = g->GetSpecificGeometryTypes(n);
    ASSERT_EQ(n, 2);
    EXPECT_EQ(types[0], FdoGeometryType_LineString);  // enum order, no repeats

    const FdoGeometryType any[] = {FdoGeometryType_MultiGeometry};
    g->SetSpecificGeometryTypes(any, 1);
    EXPECT_EQ(g->GetGeometryTypes(), 7);

    // Setting the mask again after narrowing to one specific type widens back.
    const FdoGeometryType point[] = {FdoGeometryType_Point};
    g->SetSpecificGeometryTypes(point, 1);
    EXPECT_EQ(g->GetGeometryTypes(), FdoGeometricType_Point);
    g->SetGeometryTypes(FdoGeometricType_Point);
    g->GetSpecificGeometryTypes(n);
    EXPECT_EQ(n, 2);
    g->SetSpecificGeometryTypes(any, 1);

    const FdoGeometryType bad[] = {static_cast<FdoGeometryType>(9)};
    EXPECT_TRUE(Has(SchemaError([&] { g->SetSpecificGeometryTypes(bad, 1); }), L"Geom"));
    EXPECT_EQ(g->GetGeometryTypes(), 7);

    EXPECT_FALSE(g->GetHasElevation());
    EXPECT_FALSE(g->GetHasMeasure());
    EXPECT_FALSE(g->GetReadOnly());
    EXPECT_STREQ(g->GetSpatialContextAssociation(), L"");
}
