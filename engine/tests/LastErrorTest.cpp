// The last error text and its two readers.
#include <GeoxferApi/FDO_Api.h>
#include <GeoxferApi/LastError.h>

#include "copytask/LastErrorText.h"

#include <gtest/gtest.h>

#include <string>

// Runs first in this executable (gtest keeps file order within a binary only
// by registration, so this test checks its own precondition).
TEST(LastError, EmptyBeforeAnyFailure) {
    wchar_t buf[16];
    std::fill(std::begin(buf), std::end(buf), L'x');
    if (*c_FDO_Api::GXF_GetLastError() != L'\0') GTEST_SKIP() << "another test set the text first";
    EXPECT_EQ(GXF_GetLastError(buf, 10), 1);
    for (int i = 0; i < 10; i++) EXPECT_EQ(buf[i], L'\0');
    EXPECT_EQ(buf[10], L'x');
}

TEST(LastError, KeptAfterLaterSuccess) {
    SetLastErrorText(L"Unable to Open Source Connection");
    // A successful operation does not touch the text.
    EXPECT_STREQ(c_FDO_Api::GXF_GetLastError(), L"Unable to Open Source Connection");
    wchar_t buf[64] = {};
    EXPECT_EQ(GXF_GetLastError(buf, 63), 1);
    EXPECT_STREQ(buf, L"Unable to Open Source Connection");
}

TEST(LastError, LongTextIsCutWithoutTerminator) {
    std::wstring text(600, L'e');
    for (size_t i = 0; i < text.size(); i++) text[i] = static_cast<wchar_t>(L'a' + i % 26);
    SetLastErrorText(text.c_str());
    wchar_t buf[512];
    std::fill(std::begin(buf), std::end(buf), L'#');
    EXPECT_EQ(GXF_GetLastError(buf, 500), 1);
    EXPECT_EQ(std::wstring(buf, 500), text.substr(0, 500));
    EXPECT_EQ(buf[500], L'#');  // nothing written past the maximum, no terminator
}

TEST(LastError, ZeroMaximumAndNullCopyNothing) {
    SetLastErrorText(L"x");
    wchar_t buf[2] = {L'#', L'#'};
    EXPECT_EQ(GXF_GetLastError(buf, 0), 1);
    EXPECT_EQ(buf[0], L'#');
    EXPECT_EQ(GXF_GetLastError(nullptr, 10), 1);
    SetLastErrorText(nullptr);
    EXPECT_STREQ(c_FDO_Api::GXF_GetLastError(), L"");
}
