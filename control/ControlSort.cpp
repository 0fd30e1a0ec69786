// The control's sort entries: the Sort method, the column sort and the range sort.

#include "core/Errors.h"
#include "core/EventRaiser.h"
#include "control/GlideListView.h"
#include "sort/SortEngine.h"

namespace glv {

SortResult GlideListView::OrderItems(int32_t first, int32_t last, int32_t column,
                                     int32_t sortOrder) {
    if (!columns_.Contains(column)) return SortResult::Failed;
    const SortRequest request{first, last, column, columns_.Column(column).cHSortType, sortOrder};
    // The workspace is taken for the length of the sort: host code run by a key conversion may
    // sort again, and that sort works in memory of its own.
    std::unique_ptr<SortWorkspace, SortWorkspaceDeleter> work = std::move(sortWork_);
    if (!work) work.reset(new SortWorkspace);
    const SortResult result = SortItemRange(items_, request, locale(), *work);
    if (!sortWork_) sortWork_ = std::move(work);
    return result;
}

void GlideListView::SortWorkspaceDeleter::operator()(SortWorkspace* work) const { delete work; }

void GlideListView::Sort(int32_t lColumn, int32_t sortOrder) {
    if (!props_.AllowSorting) return;
    SortColumn(lColumn, sortOrder);
}

void GlideListView::SortColumn(int32_t column, int32_t sortOrder) {
    if (!columns_.Contains(column)) RaiseError(kErrHeaderMissing, kSourceControl);
    const bool columnChanged = column != props_.SortedColumn;
    const bool orderChanged = sortOrder != props_.SortOrder;
    props_.SortedColumn = column;
    props_.SortOrder = sortOrder;
    // A failed sort or a type that orders nothing still reports the new column and order: the
    // header caret follows them either way.
    OrderItems(1, items_.Count(), column, sortOrder);
    // The column count is a 16-bit Integer, so the column always fits the event's argument.
    const auto eventColumn = static_cast<int16_t>(column);
    if (columnChanged) Raise(events_, &GlideListViewEvents::SortColumnChanged, eventColumn, sortOrder);
    if (orderChanged) Raise(events_, &GlideListViewEvents::SortOrderChanged, eventColumn, sortOrder);
    Repaint();
}

void GlideListView::SortItems(int32_t firstListIndex, int32_t lastListIndex, int16_t column,
                              int32_t sortOrder) {
    if (firstListIndex < 1 || firstListIndex >= lastListIndex || lastListIndex > items_.Count()) {
        return;
    }
    if (OrderItems(firstListIndex, lastListIndex, column, sortOrder) != SortResult::Failed) {
        Repaint();
    }
}

}  // namespace glv
