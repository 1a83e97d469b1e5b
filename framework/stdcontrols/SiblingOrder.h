#pragma once

#include <QString>
#include <QStringView>
#include <list>
#include <map>
#include <span>
#include <vector>

// The order tree controls give siblings: case ignored, as Qt folds case. Texts that are
// ASCII up to where they differ (nearly every name) are compared without the folding
// tables, which makes sorting a large level several times faster.
int CompareCaseIgnored(QStringView a, QStringView b);

// The positions 0 .. n-1 of `texts` in the order that sorted insertions of them, one
// after the other into an empty tree level or sorted list, give: each goes behind the
// texts that sort like it, so this is a stable sort.
std::vector<int> CaseIgnoredOrder(std::span<const QString> texts);

// The order of a parent's children after a run of insertions, each at the front, at the
// end or at its sorted place (before the first sibling whose text sorts after its own,
// case ignored, as tree controls place them), worked out in O(log n) an item instead of
// a scan of the siblings.
//
// Only a sibling that sorts after everything in front of it can be the first one to
// sort after a new text, so only those "leaders" are kept in a sorted map: a sorted
// insertion goes right before the first leader that sorts after it.
class SiblingOrder {
 public:
  enum class Place { First, Last, Sorted };

  // Adds the item `id` with `text` at `place`.
  void Insert(const QString& text, Place place, int id);
  // The ids, first sibling first.
  std::vector<int> Ids() const { return {m_order.begin(), m_order.end()}; }

 private:
  struct CaseIgnored {
    bool operator()(const QString& a, const QString& b) const {
      return CompareCaseIgnored(a, b) < 0;
    }
  };
  using Position = std::list<int>::iterator;

  std::list<int> m_order;
  std::map<QString, Position, CaseIgnored> m_leaders;  // strictly increasing, in list order
};
