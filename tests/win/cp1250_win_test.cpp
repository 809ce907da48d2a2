// The fixed code-page table agrees with Windows' own code page 1250.
#include <gtest/gtest.h>
#include <windows.h>

#include "base/cp1250.h"

TEST(Cp1250OnWindows, TableAgreesWithMultiByteToWideChar) {
  for (int b = 0x80; b < 0x100; ++b) {
    const char byte = static_cast<char>(b);
    wchar_t wide[2] = {};
    const int n = MultiByteToWideChar(1250, 0, &byte, 1, wide, 2);
    ASSERT_EQ(n, 1) << "byte " << b;
    EXPECT_EQ(static_cast<char16_t>(wide[0]), base::cp1250HighByte(static_cast<unsigned char>(b))) << "byte " << b;
  }
}

TEST(Cp1250OnWindows, WineRunsInTheCentralEuropeanCodePage) {
  // The end-to-end tests rely on the system's ANSI code page being 1250.
  EXPECT_EQ(GetACP(), 1250u);
}
