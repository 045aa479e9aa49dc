#include "text.h"

#include <gtest/gtest.h>

#include <string>

namespace varlo {
namespace {

// "é" (U+00E9) is 2 bytes, "€" (U+20AC) 3 bytes, "😀" (U+1F600) 4 bytes.
const std::string E2 = "\xC3\xA9";
const std::string Euro = "\xE2\x82\xAC";
const std::string Smile = "\xF0\x9F\x98\x80";

TEST(Utf8Left, KeepsShortTextWhole) {
  EXPECT_EQ(Utf8Left("You", 15), "You");
  EXPECT_EQ(Utf8Left("", 15), "");
}

TEST(Utf8Left, CountsCharactersNotBytes) {
  const std::string name = "J" + E2 + "r" + Euro + Smile + "x";  // 6 characters
  EXPECT_EQ(Utf8Left(name, 6), name);
  EXPECT_EQ(Utf8Left(name, 5), "J" + E2 + "r" + Euro + Smile);
  EXPECT_EQ(Utf8Left(name, 2), "J" + E2);
  EXPECT_EQ(Utf8Left(name, 0), "");
}

TEST(Utf8Left, CutsTwentyCharactersToFifteen) {
  EXPECT_EQ(Utf8Left("ABCDEFGHIJKLMNOPQRST", 15), "ABCDEFGHIJKLMNO");
  std::string wide;
  for (int i = 0; i < 20; ++i) wide += E2;
  std::string expected;
  for (int i = 0; i < 15; ++i) expected += E2;
  EXPECT_EQ(Utf8Left(wide, 15), expected);
}

TEST(Utf8CutBytes, KeepsTextThatFits) {
  EXPECT_EQ(Utf8CutBytes("Jack", 15), "Jack");
  EXPECT_EQ(Utf8CutBytes("ABCDEFGHIJKLMNO", 15), "ABCDEFGHIJKLMNO");
}

TEST(Utf8CutBytes, CutsAsciiAtTheLimit) {
  EXPECT_EQ(Utf8CutBytes("ABCDEFGHIJKLMNOPQRST", 15), "ABCDEFGHIJKLMNO");
}

TEST(Utf8CutBytes, DropsACharacterThatWouldBeSplit) {
  // 14 ASCII bytes + "€": the 15-byte limit falls after the first byte of "€".
  EXPECT_EQ(Utf8CutBytes("ABCDEFGHIJKLMN" + Euro, 15), "ABCDEFGHIJKLMN");
  // 13 + "€" needs 16 bytes: the limit falls after its second byte.
  EXPECT_EQ(Utf8CutBytes("ABCDEFGHIJKLM" + Euro, 15), "ABCDEFGHIJKLM");
  // Eight "é" are 16 bytes; seven (14 bytes) fit.
  std::string eight, seven;
  for (int i = 0; i < 8; ++i) eight += E2;
  for (int i = 0; i < 7; ++i) seven += E2;
  EXPECT_EQ(Utf8CutBytes(eight, 15), seven);
  // A four-byte character that would end at byte 16.
  EXPECT_EQ(Utf8CutBytes("ABCDEFGHIJKL" + Smile, 15), "ABCDEFGHIJKL");
}

TEST(Utf8CutBytes, KeepsACharacterEndingExactlyAtTheLimit) {
  EXPECT_EQ(Utf8CutBytes("ABCDEFGHIJKL" + Euro + "Z", 15), "ABCDEFGHIJKL" + Euro);
  EXPECT_EQ(Utf8CutBytes(Euro + Euro + Euro + Euro + Euro + Euro, 15),
            Euro + Euro + Euro + Euro + Euro);
}

TEST(IsValidUtf8, AcceptsWellFormedText) {
  EXPECT_TRUE(IsValidUtf8(""));
  EXPECT_TRUE(IsValidUtf8("Jack"));
  EXPECT_TRUE(IsValidUtf8("J" + E2 + Euro + Smile));
  EXPECT_TRUE(IsValidUtf8("\xC2\x80"));          // U+0080, smallest two-byte
  EXPECT_TRUE(IsValidUtf8("\xE0\xA0\x80"));      // U+0800, smallest three-byte
  EXPECT_TRUE(IsValidUtf8("\xED\x9F\xBF"));      // U+D7FF, just below the surrogates
  EXPECT_TRUE(IsValidUtf8("\xEE\x80\x80"));      // U+E000, just above them
  EXPECT_TRUE(IsValidUtf8("\xEF\xBF\xBF"));      // U+FFFF
  EXPECT_TRUE(IsValidUtf8("\xF0\x90\x80\x80"));  // U+10000, smallest four-byte
  EXPECT_TRUE(IsValidUtf8("\xF4\x8F\xBF\xBF"));  // U+10FFFF, the last code point
}

TEST(IsValidUtf8, RejectsOverlongForms) {
  EXPECT_FALSE(IsValidUtf8("\xC0\x80"));
  EXPECT_FALSE(IsValidUtf8("\xC1\xBF"));
  EXPECT_FALSE(IsValidUtf8("\xE0\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("\xE0\x9F\xBF"));
  EXPECT_FALSE(IsValidUtf8("\xF0\x80\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("\xF0\x8F\xBF\xBF"));
}

TEST(IsValidUtf8, RejectsSurrogates) {
  EXPECT_FALSE(IsValidUtf8("\xED\xA0\x80"));  // U+D800
  EXPECT_FALSE(IsValidUtf8("\xED\xBF\xBF"));  // U+DFFF
}

TEST(IsValidUtf8, RejectsCodePointsBeyondTheRange) {
  EXPECT_FALSE(IsValidUtf8("\xF4\x90\x80\x80"));  // U+110000
  EXPECT_FALSE(IsValidUtf8("\xF5\x80\x80\x80"));
  EXPECT_FALSE(IsValidUtf8("\xFF"));
}

TEST(IsValidUtf8, RejectsBrokenSequences) {
  EXPECT_FALSE(IsValidUtf8("\x80"));       // continuation without a lead
  EXPECT_FALSE(IsValidUtf8("J\xFCrgen"));  // Latin-1 "ü"
  EXPECT_FALSE(IsValidUtf8("\xE2\x82"));   // "€" missing its last byte
  EXPECT_FALSE(
      IsValidUtf8("\xE2\x82"
                  "A"));                      // ... followed by ASCII
  EXPECT_FALSE(IsValidUtf8("\xF0\x9F\x98"));  // four-byte lead, three bytes
  EXPECT_FALSE(
      IsValidUtf8("\xC3"
                  "A"));
}

TEST(Latin1ToUtf8, KeepsAscii) { EXPECT_EQ(Latin1ToUtf8("Jack 0"), "Jack 0"); }

TEST(Latin1ToUtf8, EncodesHighBytesAsTwoByteCharacters) {
  EXPECT_EQ(Latin1ToUtf8("J\xFCrgen"), "J\xC3\xBCrgen");  // ü = U+00FC
  EXPECT_EQ(Latin1ToUtf8("\xE9"), E2);                    // é = U+00E9
  EXPECT_EQ(Latin1ToUtf8("\x80"), "\xC2\x80");
  EXPECT_EQ(Latin1ToUtf8("\xA0"), "\xC2\xA0");
  EXPECT_EQ(Latin1ToUtf8("\xFF"), "\xC3\xBF");
}

TEST(Latin1ToUtf8, EveryByteGivesValidUtf8) {
  for (int byte = 1; byte < 256; ++byte) {
    const std::string converted = Latin1ToUtf8(std::string(1, static_cast<char>(byte)));
    EXPECT_TRUE(IsValidUtf8(converted)) << byte;
    EXPECT_EQ(converted.size(), byte < 0x80 ? 1u : 2u) << byte;
  }
}

}  // namespace
}  // namespace varlo
