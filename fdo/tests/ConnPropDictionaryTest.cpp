// The connection property rules providers rely on: how names are found,
// which values are refused, and how the connection string is read and
// rebuilt, including strings that are malformed.
#include "FakeProvider.h"

#include <gtest/gtest.h>

using fake::Catch;

namespace {

// The dictionary of a file provider: File (required file name), ReadOnly
// (TRUE/FALSE), Password (protected), Mode (required, enumerable).
FdoCommonConnPropDictionary* MakeDictionary(bool withMode = false) {
    FdoCommonConnPropDictionary* d = FdoCommonConnPropDictionary::Create();
    d->AddProperty(L"File", L"", FdoCommonProp_Required | FdoCommonProp_FileName);
    d->AddProperty(L"ReadOnly", L"TRUE", FdoCommonProp_None, {L"FALSE", L"TRUE"}, L"Read only");
    d->AddProperty(L"Password", L"", FdoCommonProp_Protected);
    if (withMode) d->AddProperty(L"Mode", L"", FdoCommonProp_Required, {L"fast", L"safe"});
    return d;
}

std::wstring Str(FdoString* s) { return s ? s : L"(null)"; }

}  // namespace

TEST(ConnPropDictionary, NamesAreFoundIgnoringCaseAndByPrefix) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetProperty(L"file", L"/data/a.sdf");
    EXPECT_EQ(Str(d->GetProperty(L"FILE")), L"/data/a.sdf");
    // A longer name that starts with a defined one finds it.
    EXPECT_EQ(Str(d->GetProperty(L"FileName")), L"/data/a.sdf");
    EXPECT_TRUE(d->IsPropertyFileName(L"filex"));

    auto shorter = Catch([&] { d->GetProperty(L"Fil"); });
    EXPECT_EQ(shorter.kind, L"FdoConnectionException");
    EXPECT_EQ(shorter.message, L"The connection property 'Fil' was not found.");
    EXPECT_EQ(Catch([&] { d->SetProperty(nullptr, L"x"); }).message,
              L"The connection property '' was not found.");
}

TEST(ConnPropDictionary, ExactNameWinsOverAnEarlierPrefix) {
    FdoPtr<FdoCommonConnPropDictionary> d = FdoCommonConnPropDictionary::Create();
    d->AddProperty(L"Read");
    d->AddProperty(L"ReadOnly", L"", FdoCommonProp_None, {L"FALSE", L"TRUE"});
    d->SetProperty(L"readonly", L"TRUE");
    d->SetProperty(L"ReadAhead", L"4");
    EXPECT_EQ(Str(d->GetProperty(L"ReadOnly")), L"TRUE");
    EXPECT_EQ(Str(d->GetProperty(L"Read")), L"4");
}

TEST(ConnPropDictionary, DescribesEachProperty) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    FdoInt32 count = 0;
    FdoString** names = d->GetPropertyNames(count);
    ASSERT_EQ(count, 3);
    EXPECT_EQ(Str(names[0]), L"File");
    EXPECT_EQ(Str(names[1]), L"ReadOnly");
    EXPECT_EQ(Str(names[2]), L"Password");

    EXPECT_TRUE(d->IsPropertyRequired(L"File"));
    EXPECT_FALSE(d->IsPropertyRequired(L"ReadOnly"));
    EXPECT_TRUE(d->IsPropertyProtected(L"Password"));
    EXPECT_FALSE(d->IsPropertyFilePath(L"File"));
    EXPECT_FALSE(d->IsPropertyDatastoreName(L"File"));
    EXPECT_EQ(Str(d->GetLocalizedName(L"ReadOnly")), L"Read only");
    EXPECT_EQ(Str(d->GetLocalizedName(L"File")), L"File");

    EXPECT_TRUE(d->IsPropertyEnumerable(L"ReadOnly"));
    EXPECT_FALSE(d->IsPropertyEnumerable(L"File"));
    FdoString** values = d->EnumeratePropertyValues(L"ReadOnly", count);
    ASSERT_EQ(count, 2);
    EXPECT_EQ(Str(values[0]), L"FALSE");
    EXPECT_EQ(Str(values[1]), L"TRUE");
    d->EnumeratePropertyValues(L"File", count);
    EXPECT_EQ(count, 0);

    // Defaults are reported, not applied.
    EXPECT_EQ(Str(d->GetPropertyDefault(L"ReadOnly")), L"TRUE");
    EXPECT_EQ(Str(d->GetProperty(L"ReadOnly")), L"");
    EXPECT_EQ(Str(d->GetConnectionString()), L"");
}

TEST(ConnPropDictionary, DefinitionsMustBeNamedOnce) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    EXPECT_EQ(Catch([&] { d->AddProperty(L"FILE"); }).message,
              L"The connection property 'FILE' is defined twice.");
    EXPECT_EQ(Catch([&] { d->AddProperty(L""); }).message, L"A connection property needs a name.");
}

TEST(ConnPropDictionary, RequiredPropertyRefusesNullButNotEmpty) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetProperty(L"File", L"a.sdf");
    EXPECT_EQ(Catch([&] { d->SetProperty(L"File", nullptr); }).message,
              L"The connection property 'File' is required and cannot be set to null.");
    EXPECT_EQ(Str(d->GetProperty(L"File")), L"a.sdf");

    d->SetProperty(L"File", L"");
    EXPECT_EQ(Catch([&] { d->Validate(); }).message, L"The required connection property 'File' is not set.");

    // Null clears an optional property.
    d->SetProperty(L"Password", L"x");
    d->SetProperty(L"Password", nullptr);
    EXPECT_EQ(Str(d->GetProperty(L"Password")), L"");
}

TEST(ConnPropDictionary, EnumerablePropertyTakesOnlyListedValues) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary(true);
    d->SetProperty(L"ReadOnly", L"true");  // any case
    EXPECT_EQ(Str(d->GetProperty(L"ReadOnly")), L"true");
    d->SetProperty(L"ReadOnly", L"");  // empty: not required
    EXPECT_EQ(Str(d->GetProperty(L"ReadOnly")), L"");

    auto bad = Catch([&] { d->SetProperty(L"ReadOnly", L"maybe"); });
    EXPECT_EQ(bad.kind, L"FdoConnectionException");
    EXPECT_EQ(bad.message,
              L"The value 'maybe' is not valid for the connection property 'ReadOnly'; valid values are: FALSE, TRUE.");

    // Required and enumerable: empty is not a listed value.
    EXPECT_NE(Catch([&] { d->SetProperty(L"Mode", L""); }).message, L"<nothing thrown>");
    d->SetProperty(L"Mode", L"SAFE");
    EXPECT_EQ(Str(d->GetProperty(L"Mode")), L"SAFE");
}

TEST(ConnPropDictionary, ConnectionStringFollowsDefinitionOrder) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetProperty(L"Password", L"secret");
    d->SetProperty(L"File", L"/data/a.sdf");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=/data/a.sdf;Password=secret;");
    d->SetProperty(L"ReadOnly", L"FALSE");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=/data/a.sdf;ReadOnly=FALSE;Password=secret;");
    d->SetProperty(L"Password", L"");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=/data/a.sdf;ReadOnly=FALSE;");
}

TEST(ConnPropDictionary, ValuesAreQuotedWhenTheyMustBe) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetProperty(L"File", L"/data/a;b.sdf");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=\"/data/a;b.sdf\";");

    // Supplied quoted: kept without the quotes, quoted again in the string.
    d->SetProperty(L"File", L"\"/data/c.sdf\"");
    EXPECT_EQ(Str(d->GetProperty(L"File")), L"/data/c.sdf");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=\"/data/c.sdf\";");

    // Blanks at either end would be lost unquoted.
    d->SetProperty(L"Password", L" pw ");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=\"/data/c.sdf\";Password=\" pw \";");

    // A '"' inside a value cannot be written in a connection string.
    EXPECT_EQ(Catch([&] { d->SetProperty(L"Password", L"a\"b"); }).message,
              L"The value of the connection property 'Password' cannot contain '\"'.");
}

TEST(ConnPropDictionary, ConnectionStringRoundTrips) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetConnectionString(L"  file = /data/my file.sdf ; readonly=false;;");
    EXPECT_EQ(Str(d->GetProperty(L"File")), L"/data/my file.sdf");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=/data/my file.sdf;ReadOnly=false;");
    EXPECT_NO_THROW(d->Validate());

    for (FdoString* text : {L"File=\"/a;b/c.sdf\";Password=\" x \";", L"File=x;ReadOnly=TRUE;Password=p;"}) {
        d->SetConnectionString(text);
        EXPECT_EQ(Str(d->GetConnectionString()), text);
        FdoStringP again = d->GetConnectionString();
        d->SetConnectionString(again);
        EXPECT_EQ(Str(d->GetConnectionString()), text);
    }
    EXPECT_EQ(Str(d->GetProperty(L"Password")), L"p");
}

TEST(ConnPropDictionary, SetConnectionStringReplacesEveryProperty) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetConnectionString(L"File=a.sdf;Password=pw");
    d->SetConnectionString(L"ReadOnly=TRUE;File=b.sdf;file=c.sdf");  // later duplicate wins
    EXPECT_EQ(Str(d->GetProperty(L"Password")), L"");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=c.sdf;ReadOnly=TRUE;");
    d->SetConnectionString(nullptr);
    EXPECT_EQ(Str(d->GetConnectionString()), L"");
}

TEST(ConnPropDictionary, RefusedValueInAStringChangesNothing) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetConnectionString(L"File=a.sdf");
    auto bad = Catch([&] { d->SetConnectionString(L"File=b.sdf;ReadOnly=perhaps"); });
    EXPECT_EQ(bad.message,
              L"The value 'perhaps' is not valid for the connection property 'ReadOnly'; valid values are: FALSE, TRUE.");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=a.sdf;");
}

TEST(ConnPropDictionary, MalformedStringsKeepEarlierPairsAndFailValidation) {
    struct Case {
        FdoString* text;
        FdoString* file;
    };
    for (const Case& c : {Case{L"File=a.sdf;=x", L"a.sdf"}, Case{L"File=a.sdf;ReadOnly", L"a.sdf"},
                          Case{L"File=a\"b.sdf", L""}, Case{L"Password=p;File=\"a.sdf", L""}}) {
        FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
        EXPECT_NO_THROW(d->SetConnectionString(c.text)) << Str(c.text);
        EXPECT_EQ(Str(d->GetProperty(L"File")), c.file) << Str(c.text);
        auto v = Catch([&] { d->Validate(); });
        EXPECT_EQ(v.kind, L"FdoConnectionException");
        EXPECT_EQ(v.message, L"Invalid connection string '" + std::wstring(c.text) + L"'");
    }
}

TEST(ConnPropDictionary, UnknownNamesFailValidation) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetConnectionString(L"File=a.sdf;Colour=red;Size=3");
    EXPECT_EQ(Str(d->GetConnectionString()), L"File=a.sdf;");
    EXPECT_EQ(Catch([&] { d->Validate(); }).message, L"Invalid connection property name 'colour'");

    // Setting a property afterwards describes the connection anew.
    d->SetProperty(L"File", L"b.sdf");
    EXPECT_NO_THROW(d->Validate());
}

TEST(ConnPropDictionary, LockedDictionaryRefusesChanges) {
    FdoPtr<FdoCommonConnPropDictionary> d = MakeDictionary();
    d->SetConnectionString(L"File=a.sdf");
    d->SetLocked(true);
    EXPECT_EQ(Catch([&] { d->SetProperty(L"File", L"b.sdf"); }).message,
              L"The connection property 'File' cannot be changed while the connection is open.");
    EXPECT_EQ(Catch([&] { d->SetConnectionString(L"File=b.sdf"); }).message,
              L"The connection string cannot be changed while the connection is open.");
    EXPECT_EQ(Str(d->GetProperty(L"File")), L"a.sdf");
    d->SetLocked(false);
    d->SetProperty(L"File", L"b.sdf");
    EXPECT_EQ(Str(d->GetProperty(L"File")), L"b.sdf");
}

TEST(DataStorePropDictionary, SharesTheRulesWithCommandErrors) {
    FdoPtr<FdoCommonDataStorePropDictionary> d = FdoCommonDataStorePropDictionary::Create();
    d->AddProperty(L"File", L"", FdoCommonProp_Required | FdoCommonProp_FileName);
    d->AddProperty(L"Overwrite", L"FALSE", FdoCommonProp_None, {L"FALSE", L"TRUE"});

    auto missing = Catch([&] { d->Validate(); });
    EXPECT_EQ(missing.kind, L"FdoCommandException");
    EXPECT_EQ(missing.message, L"The required data store property 'File' is not set.");
    EXPECT_EQ(Catch([&] { d->SetProperty(L"Colour", L"red"); }).message,
              L"The data store property 'Colour' was not found.");
    EXPECT_EQ(Catch([&] { d->SetProperty(L"Overwrite", L"yes"); }).message,
              L"The value 'yes' is not valid for the data store property 'Overwrite'; valid values are: FALSE, TRUE.");

    d->SetProperty(L"file", L"/tmp/new.sdf");
    EXPECT_EQ(Str(d->GetProperty(L"File")), L"/tmp/new.sdf");
    EXPECT_TRUE(d->IsPropertyFileName(L"File"));
    EXPECT_NO_THROW(d->Validate());
}
