// Reference counting, FdoStringP and the collections: the parts every other
// module leans on.
#include <Fdo.h>

#include <gtest/gtest.h>

namespace {

class Item : public FdoDisposable {
public:
    static Item* Create(FdoString* name) { return new Item(name); }
    FdoString* GetName() { return m_name; }
    static int alive;

protected:
    explicit Item(FdoString* name) : m_name(name) { alive++; }
    ~Item() override { alive--; }

private:
    FdoStringP m_name;
};
int Item::alive = 0;

class ItemCollection : public FdoNamedCollection<Item, FdoCommandException> {
public:
    static ItemCollection* Create(bool caseSensitive = true) { return new ItemCollection(caseSensitive); }

protected:
    explicit ItemCollection(bool cs) : FdoNamedCollection(cs) {}
    void Dispose() override { delete this; }
};

}  // namespace

TEST(Disposable, PtrTakesOverAndCopiesAddReferences) {
    {
        FdoPtr<Item> a = Item::Create(L"a");
        EXPECT_EQ(a->GetRefCount(), 1);
        FdoPtr<Item> b = a;
        EXPECT_EQ(a->GetRefCount(), 2);
        b = nullptr;
        EXPECT_EQ(a->GetRefCount(), 1);
        Item* raw = a.Detach();
        EXPECT_EQ(raw->GetRefCount(), 1);
        a = raw;  // takes the reference back without adding one
        EXPECT_EQ(a->GetRefCount(), 1);
        FdoPtr<FdoIDisposable> base = a;  // converting copy adds a reference
        EXPECT_EQ(a->GetRefCount(), 2);
    }
    EXPECT_EQ(Item::alive, 0);
}

TEST(Disposable, SafeMacros) {
    Item* p = Item::Create(L"x");
    EXPECT_EQ(FDO_SAFE_ADDREF(p), p);
    EXPECT_EQ(p->GetRefCount(), 2);
    p->Release();
    FDO_SAFE_RELEASE(p);
    EXPECT_EQ(p, nullptr);
    Item* none = nullptr;
    FDO_SAFE_RELEASE(none);
    EXPECT_EQ(FDO_SAFE_ADDREF(none), nullptr);
    EXPECT_EQ(Item::alive, 0);
}

TEST(StringP, LeftRightAndNullDelimiters) {
    FdoStringP s(L"Schema:Class:Extra");
    EXPECT_EQ(s.Left(L":"), FdoStringP(L"Schema"));
    EXPECT_EQ(s.Right(L":"), FdoStringP(L"Class:Extra"));
    EXPECT_EQ(s.Left(L"#"), s);
    EXPECT_TRUE(s.Right(L"#").IsEmpty());
    EXPECT_TRUE(s.Left(nullptr).IsEmpty());
    EXPECT_EQ(s.Right(nullptr), s);
    EXPECT_TRUE(s.Left(L"").IsEmpty());
    EXPECT_EQ(s.Right(L""), s);
}

TEST(StringP, NullIsEmptyAndConcatenationIgnoresNull) {
    FdoStringP n(static_cast<FdoString*>(nullptr));
    EXPECT_EQ(n, FdoStringP(L""));
    EXPECT_EQ(n.GetLength(), 0u);
    FdoStringP a(L"a");
    a += static_cast<FdoString*>(nullptr);
    EXPECT_EQ(a, FdoStringP(L"a"));
    a += (FdoString*)a;  // appending itself must not read freed memory
    EXPECT_EQ(a, FdoStringP(L"aa"));
}

TEST(StringP, IsNumber) {
    for (FdoString* yes : {L"-1.5", L".5", L"5.", L"+3", L"0", L"4326"})
        EXPECT_TRUE(FdoStringP(yes).IsNumber()) << FdoStringP(yes).operator const char*();
    for (FdoString* no : {L"", L"+", L" 1", L"1 ", L"1e3", L"1.2.3", L"abc", L"-", L"."})
        EXPECT_FALSE(FdoStringP(no).IsNumber()) << FdoStringP(no).operator const char*();
}

TEST(StringP, ToLongPrefixHexAndClamp) {
    EXPECT_EQ(FdoStringP(L"  42abc").ToLong(), 42);
    EXPECT_EQ(FdoStringP(L"-7").ToLong(), -7);
    EXPECT_EQ(FdoStringP(L"abc").ToLong(), 0);
    EXPECT_EQ(FdoStringP(L"0x1F").ToLong(), 31);
    EXPECT_EQ(FdoStringP(L"99999999999").ToLong(), INT32_MAX);
    EXPECT_EQ(FdoStringP(L"99999999999").ToInt64(), 99999999999LL);
    EXPECT_DOUBLE_EQ(FdoStringP(L"2.5xyz").ToDouble(), 2.5);
}

TEST(StringP, CaseAndBooleans) {
    EXPECT_EQ(FdoStringP(L"MiXed").Upper(), FdoStringP(L"MIXED"));
    EXPECT_EQ(FdoStringP(L"MiXed").Lower(), FdoStringP(L"mixed"));
    EXPECT_EQ(FdoStringP(L"True").ICompare(L"TRUE"), 0);
    EXPECT_LT(FdoStringP(L"a").ICompare(L"B"), 0);
    EXPECT_TRUE(FdoStringP(L"Yes").ToBoolean());
    EXPECT_FALSE(FdoStringP(L"n").ToBoolean(true));
    EXPECT_TRUE(FdoStringP(L"maybe").ToBoolean(true));
    EXPECT_TRUE(FdoStringP(L"abc").Contains(L""));
    EXPECT_TRUE(FdoStringP(L"OSGeo.SDF.3.9").Contains(L"SDF"));
}

TEST(StringP, ReplaceDoesNotRescanInsertedText) {
    EXPECT_EQ(FdoStringP(L"aaa").Replace(L"a", L"aa"), FdoStringP(L"aaaaaa"));
    EXPECT_EQ(FdoStringP(L"a-b-c").Replace(L"-", nullptr), FdoStringP(L"abc"));
    EXPECT_EQ(FdoStringP(L"abc").Replace(L"", L"x"), FdoStringP(L"abc"));
}

TEST(StringP, FormatGrowsAndHandlesWideArguments) {
    std::wstring big(5000, L'x');
    FdoStringP s = FdoStringP::Format(L"%ls-%d-%ld", big.c_str(), 7, 4326L);
    EXPECT_EQ(s.GetLength(), 5000u + 7u);
    EXPECT_EQ(FdoStringP::Format(nullptr), FdoStringP(L""));
}

TEST(StringP, Utf8AndUtf16RoundTrip) {
    FdoString* text = L"Gr\u00fc\u00dfe \u6771\u4eac \U0001F30D";
    FdoStringP s(text);
    std::string utf8 = static_cast<const char*>(s);
    EXPECT_EQ(FdoStringP(utf8.c_str()), s);
    std::u16string u16 = FdoStringP::Utf16FromUnicode(text);
    EXPECT_EQ(FdoStringP(FdoStringP::Utf16ToUnicode(u16.c_str())), s);
    // Malformed UTF-8 becomes U+FFFD instead of failing or overrunning.
    EXPECT_EQ(FdoStringP("a\xC3").Str(), std::wstring(L"a\xFFFD"));
    EXPECT_EQ(FdoStringP("\xFF" "b").Str(), std::wstring(L"\xFFFD" L"b"));
}

TEST(Exception, CauseChainAndFullText) {
    FdoPtr<FdoException> inner = FdoXmlException::Create(L"line 3: bad tag");
    FdoPtr<FdoException> outer = FdoSchemaException::Create(L"Cannot read 'a.xml'", inner);
    EXPECT_STREQ(outer->GetExceptionMessage(), L"Cannot read 'a.xml'");
    FdoPtr<FdoException> root = outer->GetRootCause();
    EXPECT_EQ(root.p, inner.p);
    EXPECT_EQ(outer->ToFullString(), FdoStringP(L"Cannot read 'a.xml': line 3: bad tag"));
    EXPECT_STREQ(outer->GetKind(), L"FdoSchemaException");
    outer->SetCause(outer);  // a cycle is refused
    FdoPtr<FdoException> still = outer->GetCause();
    EXPECT_EQ(still.p, inner.p);
}

TEST(Exception, ThrownAsPointerAndCaughtAsBase) {
    try {
        throw FdoAutogenerationException::Create(L"auto");
    } catch (FdoException* e) {
        EXPECT_STREQ(e->GetExceptionMessage(), L"auto");
        e->Release();
    }
}

TEST(Collection, IndexErrorsAndReferences) {
    FdoPtr<ItemCollection> c = ItemCollection::Create();
    FdoPtr<Item> a = Item::Create(L"a");
    c->Add(a);
    EXPECT_EQ(a->GetRefCount(), 2);
    EXPECT_THROW(
        {
            try {
                FdoPtr<Item> x = c->GetItem(5);
            } catch (FdoCommandException* e) {
                EXPECT_STREQ(e->GetExceptionMessage(), L"Item index out of bounds.");
                e->Release();
                throw 1;
            }
        },
        int);
    c->RemoveAt(0);
    EXPECT_EQ(a->GetRefCount(), 1);
    try {
        c->Remove(a);
        FAIL() << "removing an absent item must throw";
    } catch (FdoException* e) {
        e->Release();
    }
}

TEST(NamedCollection, LookupDuplicatesAndCase) {
    FdoPtr<ItemCollection> c = ItemCollection::Create();
    for (int i = 0; i < 100; i++) {  // large enough to use the name index
        FdoPtr<Item> it = Item::Create(FdoStringP::Format(L"Item%d", i));
        c->Add(it);
    }
    FdoPtr<Item> found = c->FindItem(L"Item57");
    ASSERT_TRUE(found);
    EXPECT_EQ(c->IndexOf(L"Item57"), 57);
    EXPECT_EQ(c->FindItem(L"item57"), nullptr);
    c->RemoveAt(0);
    EXPECT_EQ(c->IndexOf(L"Item57"), 56);  // the index follows removals
    FdoPtr<Item> dup = Item::Create(L"Item3");
    try {
        c->Add(dup);
        FAIL() << "duplicate name accepted";
    } catch (FdoCommandException* e) {
        EXPECT_STREQ(e->GetExceptionMessage(), L"Item Item3 is already in this named collection.");
        e->Release();
    }
    c->SetCaseSensitive(false);
    FdoPtr<Item> ci = c->FindItem(L"ITEM57");
    EXPECT_TRUE(ci);
    try {
        FdoPtr<Item> none = c->GetItem(L"nope");
        FAIL();
    } catch (FdoCommandException* e) {
        EXPECT_STREQ(e->GetExceptionMessage(), L"Item 'nope' not found in collection");
        e->Release();
    }
}

TEST(StringCollection, TokensAndNullTokens) {
    FdoPtr<FdoStringCollection> a = FdoStringCollection::Create(FdoStringP(L"a,,b"), L",");
    EXPECT_EQ(a->ToString(), FdoStringP(L"a, b"));
    FdoPtr<FdoStringCollection> b = FdoStringCollection::Create(FdoStringP(L"a,,b"), L",", true);
    EXPECT_EQ(b->GetCount(), 3);
    EXPECT_STREQ(b->GetString(1), L"");
    FdoPtr<FdoStringCollection> e = FdoStringCollection::Create(FdoStringP(L""), L",");
    EXPECT_EQ(e->GetCount(), 0);
    FdoPtr<FdoStringCollection> en = FdoStringCollection::Create(FdoStringP(L""), L",", true);
    EXPECT_EQ(en->GetCount(), 1);
    FdoPtr<FdoStringCollection> m = FdoStringCollection::Create(FdoStringP(L"x;y z"), L"; ");
    EXPECT_EQ(m->GetCount(), 3);
    EXPECT_EQ(m->IndexOf(FdoStringP(L"Y"), false), 1);
    EXPECT_EQ(m->IndexOf(FdoStringP(L"Y")), -1);
}

TEST(ByteArray, AppendAndSize) {
    FdoPtr<FdoByteArray> a = FdoByteArray::Create();
    const FdoByte bytes[] = {1, 2, 3};
    FdoByteArray* same = FdoByteArray::Append(a, 3, bytes);
    EXPECT_EQ(same, a.p);
    EXPECT_EQ(a->GetCount(), 3);
    EXPECT_EQ((*a)[2], 3);
    FdoByteArray::SetSize(a, 1);
    EXPECT_EQ(a->GetCount(), 1);
}
