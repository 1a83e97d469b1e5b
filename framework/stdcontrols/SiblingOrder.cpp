#include "framework/stdcontrols/SiblingOrder.h"

#include <algorithm>
#include <iterator>
#include <numeric>

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

std::vector<int> CaseIgnoredOrder(std::span<const QString> texts) {
  std::vector<int> ids(texts.size());
  std::iota(ids.begin(), ids.end(), 0);
  std::stable_sort(ids.begin(), ids.end(), [texts](int a, int b) {
    return CompareCaseIgnored(texts[static_cast<size_t>(a)], texts[static_cast<size_t>(b)]) < 0;
  });
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
