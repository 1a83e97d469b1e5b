#include "framework/stdcontrols/SiblingOrder.h"

#include <algorithm>
#include <cstdint>
#include <iterator>

int CompareCaseIgnored(QStringView a, QStringView b) {
  const qsizetype common = std::min(a.size(), b.size());
  for (qsizetype i = 0; i < common; ++i) {
    char16_t x = a[i].unicode();
    char16_t y = b[i].unicode();
    if (x == y) continue;
    // Beyond ASCII, folding may map a character onto another one (the Kelvin sign onto
    // k, a pair of surrogates as one): Qt decides, on the whole texts.
    if (x >= 0x80 || y >= 0x80) return a.compare(b, Qt::CaseInsensitive);
    if (x >= 'A' && x <= 'Z') x = static_cast<char16_t>(x + ('a' - 'A'));
    if (y >= 'A' && y <= 'Z') y = static_cast<char16_t>(y + ('a' - 'A'));
    if (x != y) return x < y ? -1 : 1;
  }
  return a.size() == b.size() ? 0 : (a.size() < b.size() ? -1 : 1);
}

namespace {

// The first 16 characters of a text, folded and packed so that comparing keys compares
// texts; sorting these side by side keeps a large level's sort in the cache instead of
// chasing every text's characters across the heap.
struct SortKey {
  std::uint64_t high = 0, low = 0;
  int id = 0;
  bool decisive = true;  // false: a character the packing cannot stand for (or a NUL)
};

SortKey KeyOf(QStringView text, int id) {
  SortKey key;
  key.id = id;
  const qsizetype packed = std::min<qsizetype>(text.size(), 16);
  for (qsizetype i = 0; i < packed; ++i) {
    char16_t c = text[i].unicode();
    if (c == 0 || c >= 0x80) key.decisive = false;
    if (c >= 'A' && c <= 'Z') c = static_cast<char16_t>(c + ('a' - 'A'));
    std::uint64_t& half = i < 8 ? key.high : key.low;
    half |= static_cast<std::uint64_t>(c & 0x7F) << (8 * (7 - i % 8));
  }
  return key;
}

}  // namespace

std::vector<int> CaseIgnoredOrder(std::span<const QString> texts) {
  std::vector<SortKey> keys;
  keys.reserve(texts.size());
  for (size_t i = 0; i < texts.size(); ++i) keys.push_back(KeyOf(texts[i], static_cast<int>(i)));
  // Differing keys of plain texts decide; equal ones or other characters take the full
  // comparison.
  std::stable_sort(keys.begin(), keys.end(), [texts](const SortKey& a, const SortKey& b) {
    if (a.decisive && b.decisive && (a.high != b.high || a.low != b.low)) {
      return a.high != b.high ? a.high < b.high : a.low < b.low;
    }
    return CompareCaseIgnored(texts[static_cast<size_t>(a.id)], texts[static_cast<size_t>(b.id)]) <
           0;
  });
  std::vector<int> ids;
  ids.reserve(keys.size());
  for (const SortKey& key : keys) ids.push_back(key.id);
  return ids;
}

void SiblingOrder::Insert(const QString& text, Place place, int id) {
  const CaseIgnored less;
  switch (place) {
    case Place::First: {
      // It leads now, and no sibling behind it that sorts at or before it leads any more.
      const Position at = m_order.insert(m_order.begin(), id);
      m_leaders.erase(m_leaders.begin(), m_leaders.upper_bound(text));
      m_leaders.emplace_hint(m_leaders.begin(), text, at);
      return;
    }
    case Place::Last: {
      const Position at = m_order.insert(m_order.end(), id);
      if (m_leaders.empty() || less(std::prev(m_leaders.end())->first, text)) {
        m_leaders.emplace_hint(m_leaders.end(), text, at);
      }
      return;
    }
    case Place::Sorted: {
      const auto after = m_leaders.upper_bound(text);
      const Position at =
          m_order.insert(after == m_leaders.end() ? m_order.end() : after->second, id);
      // Everything in front of it sorts at or before it; it leads when nothing ties.
      if (after == m_leaders.begin() || less(std::prev(after)->first, text)) {
        m_leaders.emplace_hint(after, text, at);
      }
      return;
    }
  }
}
