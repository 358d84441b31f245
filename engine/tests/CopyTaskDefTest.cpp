// The copy task definition classes in memory: defaults, text fields,
// the source class list and reference counting.
#include <GeoxferApi/GXFCopyTaskDef.h>

#include <gtest/gtest.h>

namespace {

c_GXFClassCopyDef* NewClass(const wchar_t* source) {
    auto* def = new c_GXFClassCopyDef();
    def->SetSourceClassName(source);
    return def;
}

void AddClass(c_GXFCopyTaskDef* task, const wchar_t* source) {
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    FdoPtr<c_GXFClassCopyDef> def = NewClass(source);
    classes->Add(def);
}

}  // namespace

TEST(CopyTaskDef, FreshObjectsHoldTheDefaults) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    EXPECT_EQ(task->GetRefCount(), 1);
    EXPECT_STREQ(task->GetSourceProvider(), L"");
    EXPECT_STREQ(task->GetDestConnString(), L"");
    EXPECT_STREQ(task->GetApplySchemaXML(), L"");
    EXPECT_TRUE(task->GetExecuteApplySchema());
    EXPECT_TRUE(task->GetCreateSpatialContext());
    EXPECT_FALSE(task->GetDeleteDestinationData());
    EXPECT_TRUE(task->GetMagicDataTypes());
    EXPECT_TRUE(task->GetMagicClassName());
    EXPECT_TRUE(task->GetSDF_Attr_CreateIfMissing());
    EXPECT_FALSE(task->GetSDF_Attr_OverwriteFile());
    EXPECT_EQ(task->GetOracle_Attr_SRID(), -1);
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    ASSERT_NE(classes.p, nullptr);
    EXPECT_EQ(classes->GetCount(), 0);

    FdoPtr<c_GXFClassCopyDef> classDef = new c_GXFClassCopyDef();
    EXPECT_STREQ(classDef->GetCopyFilter(), L"");
    FdoPtr<c_GXFPropertyCopyDefCollection> props = classDef->GetPropertyCopyDefCollection();
    ASSERT_NE(props.p, nullptr);
    EXPECT_EQ(props->GetCount(), 0);
}

TEST(CopyTaskDef, SettersCopyTextAndNullMeansEmpty) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    std::wstring buffer = L"OSGeo.SHP";
    task->SetSourceProvider(buffer.c_str());
    buffer = L"changed";
    EXPECT_STREQ(task->GetSourceProvider(), L"OSGeo.SHP");
    task->SetSourceProvider(task->GetSourceProvider());  // own text as input
    EXPECT_STREQ(task->GetSourceProvider(), L"OSGeo.SHP");
    task->SetSourceProvider(nullptr);
    EXPECT_STREQ(task->GetSourceProvider(), L"");

    FdoPtr<c_GXFPropertyCopyDef> prop = new c_GXFPropertyCopyDef();
    prop->SetSourceProperty(L" Name ");
    prop->SetDestProperty(L"名前");
    EXPECT_STREQ(prop->GetSourceProperty(), L" Name ");
    EXPECT_STREQ(prop->GetDestProperty(), L"名前");
    prop->SetDestProperty(nullptr);
    EXPECT_STREQ(prop->GetDestProperty(), L"");

    FdoPtr<c_GXFClassCopyDef> classDef = new c_GXFClassCopyDef();
    classDef->SetCopyFilter(L"A = 1");
    classDef->SetCopyFilter(nullptr);
    EXPECT_STREQ(classDef->GetCopyFilter(), L"");
}

TEST(CopyTaskDef, SourceClassesAsString) {
    FdoPtr<c_GXFCopyTaskDef> task = new c_GXFCopyTaskDef();
    FdoStringP list;
    EXPECT_EQ(task->GetSourceClassesAsString(list), 0);
    EXPECT_STREQ(list, L"");

    AddClass(task, L"Roads");
    AddClass(task, L"Rivers");
    EXPECT_EQ(task->GetSourceClassesAsString(list), 2);
    EXPECT_STREQ(list, L"Roads,Rivers");

    // Appends, with no comma before the first name.
    FdoStringP prefixed(L"Lakes");
    EXPECT_EQ(task->GetSourceClassesAsString(prefixed), 2);
    EXPECT_STREQ(prefixed, L"LakesRoads,Rivers");

    // Empty names and a null entry still take their place in the list.
    AddClass(task, L"");
    FdoPtr<c_GXFClassCopyDefCollection> classes = task->GetClassCopyDefCollection();
    classes->Add(nullptr);
    AddClass(task, L"Rails");
    FdoStringP withGaps;
    EXPECT_EQ(task->GetSourceClassesAsString(withGaps), 5);
    EXPECT_STREQ(withGaps, L"Roads,Rivers,,,Rails");
}

TEST(CopyTaskDef, CollectionsAreOwnedByTheirDefinition) {
    auto* task = new c_GXFCopyTaskDef();
    c_GXFClassCopyDefCollection* classes = task->GetClassCopyDefCollection();
    EXPECT_EQ(classes->GetRefCount(), 2);
    FdoPtr<c_GXFClassCopyDef> classDef = NewClass(L"Roads");
    classes->Add(classDef);
    EXPECT_EQ(classDef->GetRefCount(), 2);
    classes->Release();

    // Releasing the caller's reference leaves the task's collection intact.
    {
        FdoPtr<c_GXFClassCopyDefCollection> again = task->GetClassCopyDefCollection();
        EXPECT_EQ(again.p, classes);
        ASSERT_EQ(again->GetCount(), 1);
        FdoPtr<c_GXFClassCopyDef> item = again->GetItem(0);
        EXPECT_EQ(item.p, classDef.p);
    }
    EXPECT_EQ(classDef->GetRefCount(), 2);

    // The same holds one level down, for the property mappings.
    {
        FdoPtr<c_GXFPropertyCopyDefCollection> props = classDef->GetPropertyCopyDefCollection();
        FdoPtr<c_GXFPropertyCopyDef> prop = new c_GXFPropertyCopyDef();
        props->Add(prop);
        EXPECT_EQ(props->GetRefCount(), 2);
        EXPECT_EQ(prop->GetRefCount(), 2);
    }
    {
        FdoPtr<c_GXFPropertyCopyDefCollection> props = classDef->GetPropertyCopyDefCollection();
        EXPECT_EQ(props->GetCount(), 1);
    }

    // The last release of the task drops its reference to each class.
    EXPECT_EQ(task->Release(), 0);
    EXPECT_EQ(classDef->GetRefCount(), 1);
}
