#pragma once

#include <QPixmap>
#include <optional>

class QMimeData;
class QWidget;

namespace wc::grid {

// A column header being dragged: from the headers (to reorder or to group by it) or from the
// group-by box (to end the grouping by it).
enum class DragOrigin { Header, GroupByBox };

struct ColumnDrag {
    DragOrigin origin = DragOrigin::Header;
    int column = -1;
};

// The drag's payload; the caller owns it until it hands it to a QDrag.
QMimeData* columnMimeData(ColumnDrag drag);
std::optional<ColumnDrag> readColumnDrag(const QMimeData* mime);
// Runs the drag until it is dropped or cancelled.
void execColumnDrag(QWidget* source, ColumnDrag drag, const QPixmap& picture);

} // namespace wc::grid
