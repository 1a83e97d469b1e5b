#include "res/PixelArt.h"

#include <cstring>
#include <deque>
#include <string>

namespace {

struct PaletteEntry {
  char key;
  const char* colour;
};

constexpr PaletteEntry kPalette[] = {
    {'k', "#000000"}, {'d', "#404040"}, {'g', "#808080"}, {'l', "#C0C0C0"}, {'w', "#FFFFFF"},
    {'o', "#A07800"}, {'y', "#F8D048"}, {'Y', "#FFF0A0"}, {'e', "#965A28"}, {'E', "#C88C50"},
    {'n', "#0A2A78"}, {'b', "#1E5AC8"}, {'B', "#8CB4F0"}, {'r', "#C81E1E"}, {'R', "#F07070"},
    {'G', "#1E8C1E"}, {'h', "#6CD26C"},
};

constexpr char kTransparentKey = ' ';

// Keeps every generated text at a fixed address: the resource table points into it.
std::deque<std::string>& TextPool() {
  static std::deque<std::string> pool;
  return pool;
}

std::string Quoted(const std::string& line) { return "\"" + line + "\",\n"; }

// Only the colours a drawing uses go into its colour table.
std::string ColourTable(ImageKind kind, const std::vector<const char*>& rows, int& count) {
  auto uses = [&rows](char key) {
    for (const char* row : rows) {
      if (std::strchr(row, key) != nullptr) return true;
    }
    return false;
  };
  std::string table;
  count = 0;
  if (uses(kTransparentKey)) {
    table += Quoted(std::string(1, kTransparentKey) + " c " +
                    (kind == ImageKind::Bitmap ? "#FF00FF" : "None"));
    ++count;
  }
  for (const PaletteEntry& entry : kPalette) {
    if (!uses(entry.key)) continue;
    table += Quoted(std::string(1, entry.key) + " c " + entry.colour);
    ++count;
  }
  return table;
}

}  // namespace

ImageResource MakeImage(UINT id, ImageKind kind, const std::vector<const char*>& rows) {
  const std::size_t width = rows.size() == 0 ? 0 : std::strlen(*rows.begin());
  int colours = 0;
  const std::string table = ColourTable(kind, rows, colours);

  std::string text = "/* XPM */\nstatic const char* image[] = {\n";
  text += Quoted(std::to_string(width) + " " + std::to_string(rows.size()) + " " +
                 std::to_string(colours) + " 1");
  text += table;
  for (const char* row : rows) text += Quoted(row);
  text += "};\n";

  const std::string& kept = TextPool().emplace_back(std::move(text));
  return {id, kind, reinterpret_cast<const unsigned char*>(kept.data()), kept.size()};
}
