// The page layer: varints, page types, in-order walks, row lookups,
// overflow chains, and the checks that keep a damaged file from crashing
// or looping the reader.
#include "Sdf3TestFile.h"
#include "Sdf3TestSupport.h"

#include <sdf3/Sdf3BTree.h>
#include <sdf3/Sdf3Bytes.h>
#include <sdf3/Sdf3Catalog.h>

using namespace sdf3test;
using sdf3::BTreeCursor;
using sdf3::Entry;
using sdf3::PageFile;

namespace {

Bytes Payload(size_t n, uint8_t seed) {
    Bytes b(n);
    for (size_t i = 0; i < n; i++) b[i] = uint8_t(seed + i * 7);
    return b;
}

std::unique_ptr<PageFile> Load(TestFile& f) { return PageFile::FromBytes(L"test.sdf", f.Build()); }

std::vector<Entry> Walk(PageFile& file, uint32_t root) {
    BTreeCursor cursor(file, root, L"T");
    std::vector<Entry> all;
    Entry e;
    while (cursor.Next(e)) all.push_back(e);
    return all;
}

// A table: page 1 an interior 0x05 over leaves 2 and 3.
TestFile TwoLeafTable() {
    TestFile f;
    uint32_t a = f.AddPage(), b = f.AddPage();
    f.SetPage(a, 0x0d, {{1, Payload(10, 1)}, {2, Payload(20, 2)}});
    f.SetPage(b, 0x0d, {{5, Payload(30, 5)}});
    f.SetPage(1, 0x05, {{2, {}, a}}, b);
    return f;
}

}  // namespace

TEST(Sdf3Varint, ReadsEveryLengthAndRefusesACutOne) {
    for (uint64_t v : {0ull, 127ull, 128ull, 16383ull, 16384ull, (1ull << 56) - 1, 1ull << 56, ~0ull}) {
        Bytes b;
        AppendVarint(b, v);
        uint64_t out = 1;
        EXPECT_EQ(sdf3::ReadVarint(b.data(), b.data() + b.size(), out), b.size()) << v;
        EXPECT_EQ(out, v);
        uint64_t cut = 0;
        EXPECT_EQ(sdf3::ReadVarint(b.data(), b.data() + b.size() - 1, cut), 0u) << v;
    }
}

TEST(Sdf3PageFile, ChecksTheHeader) {
    TestFile f;
    f.SetPage(1, 0x0d, {});
    Bytes good = f.Build();
    EXPECT_EQ(PageFile::FromBytes(L"a.sdf", good)->PageSize(), 1536u);

    Bytes magic = good;
    magic[3] = 'X';
    EXPECT_THROWS_WITH(PageFile::FromBytes(L"a.sdf", magic), "'a.sdf': it does not start with a SQLite 3 file header");
    Bytes size = good;
    PutBig16(size, 16, 1000);
    EXPECT_THROWS_WITH(PageFile::FromBytes(L"a.sdf", size), "page size 1000");
    Bytes fractions = good;
    fractions[21] = 10;
    EXPECT_THROWS_WITH(PageFile::FromBytes(L"a.sdf", fractions), "payload fractions");
    EXPECT_THROWS_WITH(PageFile::FromBytes(L"a.sdf", Bytes(good.begin(), good.begin() + 60)), "shorter than a file header");
    EXPECT_THROWS_WITH(PageFile::FromBytes(L"a.sdf", Bytes(good.begin(), good.begin() + 1000)), "holds no complete page");
}

TEST(Sdf3PageFile, RefusesPagesOutsideTheFile) {
    TestFile f = TwoLeafTable();
    auto file = Load(f);
    EXPECT_EQ(file->PageCount(), 3u);
    EXPECT_THROWS_WITH(file->Get(0), "page 0 is referenced, but the file holds pages 1 to 3");
    EXPECT_THROWS_WITH(file->Get(4), "page 4 is referenced");
}

TEST(Sdf3PageFile, TellsSdf3FilesFromOtherSqliteFiles) {
    auto dir = geoxfer_test::TempDir("sdf3-detect");
    TestFile odd;
    odd.SetPage(1, 0x0d, {});
    TestFile even(4096);
    even.SetPage(1, 0x0d, {});
    std::ofstream(dir / "odd.sdf", std::ios::binary).write(reinterpret_cast<const char*>(odd.Build().data()), 1536);
    Bytes evenBytes = even.Build();
    std::ofstream(dir / "even.sdf", std::ios::binary)
        .write(reinterpret_cast<const char*>(evenBytes.data()), std::streamsize(evenBytes.size()));
    std::ofstream(dir / "text.sdf") << "not a database";
    EXPECT_TRUE(PageFile::IsSdf3File(Wide(dir / "odd.sdf")));
    EXPECT_FALSE(PageFile::IsSdf3File(Wide(dir / "even.sdf")));
    EXPECT_FALSE(PageFile::IsSdf3File(Wide(dir / "text.sdf")));
    EXPECT_FALSE(PageFile::IsSdf3File(Wide(dir / "missing.sdf")));
    std::filesystem::remove_all(dir);
}

TEST(Sdf3BTree, WalksATableInKeyOrderAndFindsRows) {
    TestFile f = TwoLeafTable();
    auto file = Load(f);
    auto all = Walk(*file, 1);
    ASSERT_EQ(all.size(), 3u);
    EXPECT_EQ(all[0].key, 1);
    EXPECT_EQ(all[1].key, 2);
    EXPECT_EQ(all[2].key, 5);
    EXPECT_EQ(all[2].payload, Payload(30, 5));
    Bytes found;
    ASSERT_TRUE(sdf3::FindRow(*file, 1, 2, L"T", found));
    EXPECT_EQ(found, Payload(20, 2));
    ASSERT_TRUE(sdf3::FindRow(*file, 1, 5, L"T", found));
    EXPECT_EQ(found, Payload(30, 5));
    EXPECT_FALSE(sdf3::FindRow(*file, 1, 3, L"T", found));
    EXPECT_FALSE(sdf3::FindRow(*file, 1, 9, L"T", found));
}

TEST(Sdf3BTree, OlderIntkeyTreesCarryEntriesInInteriorCells) {
    TestFile f;
    uint32_t a = f.AddPage(), b = f.AddPage();
    f.SetPage(a, 0x09, {{1, Payload(4, 1)}, {2, Payload(4, 2)}});
    f.SetPage(b, 0x09, {{7, Payload(4, 7)}});
    f.SetPage(1, 0x01, {{4, Payload(4, 4), a}}, b);
    auto file = Load(f);
    auto all = Walk(*file, 1);
    ASSERT_EQ(all.size(), 4u);
    EXPECT_EQ(all[2].key, 4);
    EXPECT_EQ(all[2].payload, Payload(4, 4));
    EXPECT_EQ(all[3].key, 7);
    Bytes found;
    ASSERT_TRUE(sdf3::FindRow(*file, 1, 4, L"T", found));
    EXPECT_EQ(found, Payload(4, 4));
    ASSERT_TRUE(sdf3::FindRow(*file, 1, 7, L"T", found));
    EXPECT_FALSE(sdf3::FindRow(*file, 1, 3, L"T", found));
}

TEST(Sdf3BTree, IndexAndByteKeyedTreesGiveKeysAndData) {
    TestFile f;
    uint32_t a = f.AddPage(), b = f.AddPage(), c = f.AddPage(), d = f.AddPage();
    f.SetPage(a, 0x0a, {{0, {1}}, {0, {2}}});
    f.SetPage(b, 0x0a, {{0, {9}}});
    f.SetPage(1, 0x02, {{0, {5}, a}}, b);
    TestFile::Cell keyed{0, {'k', 'v', 'v'}, 0, 1};
    f.SetPage(c, 0x08, {keyed});
    f.SetPage(d, 0x00, {{0, {'a', 'x'}, c, 1}}, c);
    auto file = Load(f);
    auto index = Walk(*file, 1);
    ASSERT_EQ(index.size(), 4u);
    EXPECT_EQ(index[0].payload, Bytes{1});
    EXPECT_EQ(index[2].payload, Bytes{5});
    EXPECT_EQ(index[3].payload, Bytes{9});
    auto keyedLeaf = Walk(*file, c);
    ASSERT_EQ(keyedLeaf.size(), 1u);
    EXPECT_EQ(keyedLeaf[0].payload, (Bytes{'k', 'v', 'v'}));
    // Page c below d twice: a shared subtree is refused.
    EXPECT_THROWS_WITH(Walk(*file, d), "page 4 is reached twice in T (a cycle)");
    Bytes ignored;
    EXPECT_THROWS_WITH(sdf3::FindRow(*file, 1, 1, L"T", ignored), "looked up by number in a b-tree of page type 0x02");
}

TEST(Sdf3BTree, FollowsOverflowChains) {
    TestFile f;
    Bytes big = Payload(5000, 3), index = Payload(900, 4);
    f.SetPage(1, 0x0d, {{1, big}});
    uint32_t p = f.AddPage();
    f.SetPage(p, 0x0a, {{0, index}});
    auto file = Load(f);
    auto all = Walk(*file, 1);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].payload, big);
    auto keys = Walk(*file, p);
    ASSERT_EQ(keys.size(), 1u);
    EXPECT_EQ(keys[0].payload, index);
}

TEST(Sdf3BTree, RefusesDamagedPagesWithTheirNumber) {
    {
        TestFile f = TwoLeafTable();
        PutBig32(f.PageBytes(1), 108, 1);  // right child: the root itself
        auto file = Load(f);
        EXPECT_THROWS_WITH(Walk(*file, 1), "page 1 is reached twice in T (a cycle)");
        Bytes ignored;
        EXPECT_THROWS_WITH(sdf3::FindRow(*file, 1, 9, L"T", ignored), "(a cycle)");
    }
    {
        TestFile f = TwoLeafTable();
        PutBig32(f.PageBytes(1), 108, 77);
        auto file = Load(f);
        EXPECT_THROWS_WITH(Walk(*file, 1), "page 77 is referenced, but the file holds pages 1 to 3");
    }
    {
        TestFile f = TwoLeafTable();
        f.PageBytes(3)[0] = 0x33;
        auto file = Load(f);
        EXPECT_THROWS_WITH(Walk(*file, 1), "page 3 of T: unknown page type 0x33");
    }
    {
        TestFile f = TwoLeafTable();
        f.PageBytes(3)[0] = 0x0a;
        auto file = Load(f);
        EXPECT_THROWS_WITH(Walk(*file, 1), "page type 0x0a does not belong in this b-tree");
    }
    {
        TestFile f = TwoLeafTable();
        PutBig16(f.PageBytes(2), 8, 2);  // first cell pointer into the header
        auto file = Load(f);
        EXPECT_THROWS_WITH(Walk(*file, 1), "page 2 of T: cell pointer 0 points outside the cell content area");
    }
    {
        TestFile f = TwoLeafTable();
        PutBig16(f.PageBytes(2), 3, 2000);
        auto file = Load(f);
        EXPECT_THROWS_WITH(Walk(*file, 1), "2000 cells do not fit in the page");
    }
}

TEST(Sdf3BTree, RefusesBrokenOverflowChains) {
    auto build = [](auto damage) {
        TestFile f;
        f.SetPage(1, 0x0d, {{1, Payload(5000, 3)}});
        damage(f);
        return Load(f);
    };
    auto circle = build([](TestFile& f) { PutBig32(f.PageBytes(3), 0, 2); });
    EXPECT_THROWS_WITH(Walk(*circle, 1), "the overflow chain of cell 0 runs in a circle");
    auto early = build([](TestFile& f) { PutBig32(f.PageBytes(3), 0, 0); });
    EXPECT_THROWS_WITH(Walk(*early, 1), "ends before its payload does");
    auto outside = build([](TestFile& f) { PutBig32(f.PageBytes(2), 0, 900); });
    EXPECT_THROWS_WITH(Walk(*outside, 1), "page 900 is referenced");
    auto huge = build([](TestFile& f) {
        Bytes& p = f.PageBytes(1);
        size_t cell = sdf3::Big16(p.data() + 108);
        p[cell] = 0xff;  // the payload size's first byte: now far more than the file
        p[cell + 1] = 0xff;
    });
    EXPECT_THROWS_WITH(Walk(*huge, 1), "claims a payload larger than the file");
}

TEST(Sdf3Record, DecodesSqliteRecordsAndRefusesBrokenOnes) {
    Bytes r = Record({Text("table"), Text("DATA_X"), Int(4)});
    auto values = sdf3::DecodeRecord(r, L"f", L"t");
    ASSERT_EQ(values.size(), 3u);
    EXPECT_EQ(values[1].bytes, "DATA_X");
    EXPECT_EQ(values[2].integer, 4);
    Bytes cut(r.begin(), r.end() - 3);
    EXPECT_THROWS_WITH(sdf3::DecodeRecord(cut, L"f", L"t"), "a record of t runs past its end");
    Bytes header = r;
    header[0] = 0x7f;
    EXPECT_THROWS_WITH(sdf3::DecodeRecord(header, L"f", L"t"), "has a broken header");
    EXPECT_THROWS_WITH(sdf3::DecodeRecord({}, L"f", L"t"), "has a broken header");
}
