#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "tools/common/CsvWriter.h"
#include "tools/common/Utf8.h"

namespace {

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
