#pragma once

class QTreeWidget;
class TOtevr;

namespace learner {

// The learner's display of the recent list: one row per entry whose lesson file can be read, in
// list order, with the file name, the kind and the folder. Each row keeps the number of its
// entry (Qt::UserRole of the first column), as entries without a row leave gaps.
void FillRecentLessons(QTreeWidget& view, const TOtevr& recent);

} // namespace learner
