// Connection-string parsing: every accepted form and every malformed one.
#include <FdoCommon/FdoCommonConnStringParser.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::wstring> Names(const FdoCommonConnStringParser& p) {
    std::vector<std::wstring> names;
    for (FdoInt32 i = 0; i < p.GetCount(); i++) names.emplace_back(p.GetPropertyName(i));
    return names;
}

}  // namespace

TEST(ConnStringParser, NamesAreCaseInsensitiveAndKeptLowerCase) {
    FdoCommonConnStringParser p(L"DefaultFileLocation=/data/shp;TemporaryFile=/tmp/x");
    EXPECT_TRUE(p.IsConnStringValid());
    EXPECT_EQ(Names(p), (std::vector<std::wstring>{L"defaultfilelocation", L"temporaryfile"}));
    EXPECT_STREQ(p.GetPropertyValueW(L"DEFAULTFILELOCATION"), L"/data/shp");
    EXPECT_STREQ(p.GetPropertyValueW(L"temporaryFile"), L"/tmp/x");
    EXPECT_TRUE(p.IsPropertyValueSet(L"TemporaryFile"));
    EXPECT_FALSE(p.IsPropertyValueSet(L"File"));
    EXPECT_EQ(p.GetPropertyValueW(L"File"), nullptr);
    EXPECT_EQ(p.GetPropertyValue(L"File"), nullptr);
    FdoStringsP names = p.GetPropertyNames();
    EXPECT_EQ(names->ToString(L";"), L"defaultfilelocation;temporaryfile");
}

TEST(ConnStringParser, BlanksAndEmptySegments) {
    FdoCommonConnStringParser p(L" ;;  File =  a b  ; ;\tMode=\t; Last=x");
    EXPECT_TRUE(p.IsConnStringValid());
    EXPECT_EQ(Names(p), (std::vector<std::wstring>{L"file", L"mode", L"last"}));
    EXPECT_STREQ(p.GetPropertyValueW(L"file"), L"a b");
    EXPECT_STREQ(p.GetPropertyValueW(L"mode"), L"");  // set, but empty
    EXPECT_TRUE(p.IsPropertyValueSet(L"mode"));
    EXPECT_STREQ(p.GetPropertyValueW(L"last"), L"x");

    FdoCommonConnStringParser empty(L"");
    EXPECT_TRUE(empty.IsConnStringValid());
    EXPECT_EQ(empty.GetCount(), 0);
    FdoCommonConnStringParser none(nullptr);
    EXPECT_TRUE(none.IsConnStringValid());
    FdoCommonConnStringParser trailing(L"a=1;");
    EXPECT_TRUE(trailing.IsConnStringValid());
    EXPECT_EQ(trailing.GetCount(), 1);
}

TEST(ConnStringParser, QuotedValuesHoldSemicolonsAndBlanks) {
    FdoCommonConnStringParser p(L"File=\" a;b \" ;Other=\"\";X=1");
    EXPECT_TRUE(p.IsConnStringValid());
    EXPECT_STREQ(p.GetPropertyValueW(L"file"), L" a;b ");
    EXPECT_TRUE(p.IsPropertyValueQuoted(L"File"));
    EXPECT_STREQ(p.GetPropertyValueW(L"other"), L"");
    EXPECT_STREQ(p.GetPropertyValueW(L"x"), L"1");
    EXPECT_FALSE(p.IsPropertyValueQuoted(L"x"));
}

TEST(ConnStringParser, LaterDuplicatesWin) {
    FdoCommonConnStringParser p(L"File=a;Other=b;FILE=c");
    EXPECT_STREQ(p.GetPropertyValueW(L"file"), L"c");
    EXPECT_EQ(Names(p), (std::vector<std::wstring>{L"file", L"other"}));
}

TEST(ConnStringParser, Utf8Values) {
    FdoCommonConnStringParser p(L"File=/data/Stra\u00dfe.shp");
    EXPECT_STREQ(p.GetPropertyValue(L"file"), "/data/Stra\xc3\x9f" "e.shp");
}

TEST(ConnStringParser, MalformedStringsKeepThePairsBeforeTheError) {
    struct Case {
        FdoString* text;
        std::vector<std::wstring> kept;
    };
    const Case cases[] = {
        {L"=x", {}},
        {L"a=1; =x;b=2", {L"a"}},
        {L"File", {}},
        {L"a=1;b;c=2", {L"a"}},
        {L"a=1;b", {L"a"}},
        {L"a=1;b=x\"y;c=2", {L"a"}},
        {L"a=1;b=\"unterminated;c=2", {L"a"}},
        {L"a=\"x\" junk;b=2", {}},
    };
    for (const Case& c : cases) {
        FdoCommonConnStringParser p(c.text);
        EXPECT_FALSE(p.IsConnStringValid()) << c.text;
        EXPECT_EQ(Names(p), c.kept) << c.text;
    }
    FdoCommonConnStringParser p(L"a=1;b=x\"y");
    EXPECT_STREQ(p.GetPropertyValueW(L"a"), L"1");
    EXPECT_FALSE(p.IsPropertyValueSet(L"b"));
}

TEST(ConnStringParser, FindsUndefinedNames) {
    FdoStringsP defined = FdoStringCollection::Create();
    defined->Add(FdoStringP(L"DefaultFileLocation"));
    defined->Add(FdoStringP(L"TemporaryFileLocation"));
    FdoCommonConnStringParser good(L"defaultfilelocation=a;TEMPORARYFILELOCATION=b");
    EXPECT_FALSE(good.HasInvalidProperties(defined));
    EXPECT_EQ(good.GetFirstInvalidPropertyName(defined), nullptr);
    FdoCommonConnStringParser bad(L"DefaultFileLocation=a;Bogus=1;Other=2");
    EXPECT_TRUE(bad.HasInvalidProperties(defined));
    EXPECT_STREQ(bad.GetFirstInvalidPropertyName(defined), L"bogus");
    EXPECT_THROW(
        try { bad.GetPropertyName(3); } catch (FdoException* e) {
            e->Release();
            throw 1;
        },
        int);
}
