// The small common utilities providers and the engine share: the top-level
// AND chain of a filter.
#include <Fdo.h>

#include <gtest/gtest.h>

#include <string>

namespace {

std::wstring Texts(const std::vector<FdoPtr<FdoFilter>>& filters) {
    std::wstring out;
    for (const auto& f : filters) out += std::wstring(out.empty() ? L"" : L" | ") + f->ToString();
    return out;
}

TEST(FilterConjuncts, TopLevelAndChainInOrderAndNothingBelowOrOrNot) {
    FdoPtr<FdoFilter> f = FdoFilter::Parse(L"A = 1 AND (B = 2 OR C = 3) AND NOT (D = 4 AND E = 5) AND ((F = 6 AND G = 7))");
    EXPECT_EQ(Texts(FdoCommonFilterSplitter::Conjuncts(f)),
              L"A = 1 | B = 2 OR C = 3 | NOT (D = 4 AND E = 5) | F = 6 | G = 7");
    FdoPtr<FdoFilter> single = FdoFilter::Parse(L"A = 1 OR B = 2");
    auto one = FdoCommonFilterSplitter::Conjuncts(single);
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].p, single.p) << "the original node, not a copy";
    EXPECT_TRUE(FdoCommonFilterSplitter::Conjuncts(nullptr).empty());
}

}  // namespace
