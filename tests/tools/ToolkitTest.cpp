#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/common/CsvWriter.h"
#include "tools/common/LocalTime.h"
#include "tools/common/Random.h"
#include "tools/common/ToolOptions.h"
#include "tools/common/Utf8.h"

namespace {

TEST(LocalTime, ParseDateTimeIsStrictAndRoundTrips) {
  const auto t = ParseDateTime("2026-03-18 15:20:05");
  ASSERT_TRUE(t.has_value());
  EXPECT_EQ(FormatDateTime(*t), "2026-03-18 15:20:05");
  EXPECT_EQ(FormatLogTimestamp(*t), "03 18 15 20 05");
  EXPECT_TRUE(ParseDateTime("2024-02-29 00:00:00").has_value());
  for (const char* bad :
       {"", "2026-03-18", "2026-03-18T15:20:05", "2026-3-18 15:20:05", "2026-03-18 15:20:5",
        "2026-13-01 00:00:00", "2026-00-10 00:00:00", "2026-02-29 00:00:00", "2026-04-31 00:00:00",
        "2026-03-18 24:00:00", "2026-03-18 23:60:00", "2026-03-18 23:59:60", "1970-01-01 00:00:00",
        "2026-03-18 15:20:05 ", "abcd-ef-gh ij:kl:mn"}) {
    EXPECT_FALSE(ParseDateTime(bad).has_value()) << bad;
  }
}

TEST(Random, SameSeedSameSequenceWithinBoundsAndWeightsHold) {
  Random a(42), b(42), c(43);
  bool differs = false;
  for (int i = 0; i < 200; ++i) {
    const int64_t x = a.Between(-3, 3);
    EXPECT_EQ(x, b.Between(-3, 3));
    EXPECT_TRUE(x >= -3 && x <= 3) << x;
    differs = differs || x != c.Between(-3, 3);
  }
  EXPECT_TRUE(differs);
  std::vector<int> counts(3);
  for (int i = 0; i < 600; ++i) ++counts[a.Weighted({5, 0, 1})];
  EXPECT_EQ(counts[1], 0);
  EXPECT_GT(counts[0], counts[2]);
  EXPECT_GT(counts[2], 0);
}

TEST(Utf8, IllFormedPiecesBecomeOneReplacementEach) {
  const std::string fffd = "\xEF\xBF\xBD";
  const struct {
    std::string in, out;
  } cases[] = {
      {"plain", "plain"},
      {"Caf\xC3\xA9", "Caf\xC3\xA9"},
      {"\xF0\x9F\x98\x80", "\xF0\x9F\x98\x80"},         // four-byte character
      {"Caf\xE9", "Caf" + fffd},                        // Latin-1 byte
      {"\xC0\xAF", fffd + fffd},                        // overlong lead is never valid
      {"\xE0\x80\x80", fffd + fffd + fffd},             // overlong three-byte form
      {"\xED\xA0\x80", fffd + fffd + fffd},             // surrogate
      {"\xF4\x90\x80\x80", fffd + fffd + fffd + fffd},  // above U+10FFFF
      {"\xE2\x82", fffd},                               // truncated at the end
      {"\xE2\x82x", fffd + "x"},                        // truncated before ASCII
      {"\x80\xBF", fffd + fffd},                        // stray continuations
      {"\xFF", fffd},
  };
  for (const auto& c : cases) EXPECT_EQ(SanitizeUtf8(c.in), c.out) << c.in;
  EXPECT_EQ(CodePointCount("Caf\xC3\xA9"), 4u);
}

TEST(Csv, FieldsAreQuotedOnlyWhenNeeded) {
  const struct {
    std::string in, out;
  } cases[] = {
      {"plain", "plain"},
      {"", ""},
      {"a,b", "\"a,b\""},
      {"say \"hi\"", "\"say \"\"hi\"\"\""},
      {"two\nlines", "\"two\nlines\""},
      {"cr\r", "\"cr\r\""},
      {"\"", "\"\"\"\""},
      {" padded ", " padded "},
      {"bad\xFF", "bad\xEF\xBF\xBD"},
      // What a spreadsheet would run stays text; numbers stay numbers.
      {"=HYPERLINK(\"x\")", "\"'=HYPERLINK(\"\"x\"\")\""},
      {"+cmd", "'+cmd"},
      {"-2+3", "'-2+3"},
      {"@SUM(A1)", "'@SUM(A1)"},
      {"\t=1", "'\t=1"},
      {"=a,b", "\"'=a,b\""},
      {"-15", "-15"},
      {"a=b", "a=b"},
  };
  for (const auto& c : cases) EXPECT_EQ(CsvField(c.in), c.out) << c.in;
  EXPECT_EQ(CsvRecord({"a", "b,c", ""}), "a,\"b,c\",\r\n");
}

}  // namespace
