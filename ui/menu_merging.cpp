#include "menu_merging.h"

#include <QSet>

#include <algorithm>

namespace tolvane {

QList<QAction*> MergeMenus(const QList<MergeMenuItem>& frameItems, const QList<MergeMenuItem>& documentItems) {
  QSet<int> documentGroups;
  for (const MergeMenuItem& item : documentItems)
    if (item.Item) documentGroups.insert(item.Group);

  QList<MergeMenuItem> merged;
  for (const MergeMenuItem& item : frameItems)
    if (item.Item && !documentGroups.contains(item.Group)) merged.append(item);
  for (const MergeMenuItem& item : documentItems)
    if (item.Item) merged.append(item);

  std::stable_sort(merged.begin(), merged.end(),
                   [](const MergeMenuItem& a, const MergeMenuItem& b) { return a.Group < b.Group; });

  QList<QAction*> actions;
  for (const MergeMenuItem& item : merged) actions.append(item.Item);
  return actions;
}

}  // namespace tolvane
