#include "framework/stdcontrols/SiblingOrder.h"

#include <iterator>

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
