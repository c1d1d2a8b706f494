#pragma once

#include <QColor>
#include <QFont>
#include <QPalette>
#include <QString>
#include <optional>

namespace wc::grid {

// One style of the sheet: each value it leaves unset comes from the grid's defaults.
struct Style {
    std::optional<QColor> background;
    std::optional<QColor> textColor;
    std::optional<QFont> font;
};

// The colours and font an element is painted with, every value settled.
struct ResolvedStyle {
    QColor background;
    QColor textColor;
    QFont font;
};

ResolvedStyle resolve(const Style& style, const ResolvedStyle& defaults);

// The styles of one table view, one per element it paints.
struct TableViewStyleSheet {
    QString caption;
    Style background; // the area no row covers
    Style content;    // base of data cells; the even and odd styles replace it here
    Style contentEven;
    Style contentOdd;
    Style filterBox;
    Style footer;
    Style group;
    Style groupByBox;
    Style header;
    Style inactive; // the selected row while the grid does not have the focus
    Style incSearch;
    Style indicator;
    Style preview;
    Style selection; // the selected row while the grid has the focus
};

// The style of a data cell: the selected row takes Selection or Inactive, every other row
// alternates ContentEven / ContentOdd by its position among the rows shown (0 at the top).
// Unset values come from `defaults`, never from Content.
ResolvedStyle dataCellStyle(const TableViewStyleSheet* sheet, bool selectedRow, bool gridHasFocus,
                            int position, const ResolvedStyle& defaults);

// `sheet`'s slot chosen by `slot`, or the grid's defaults when there is no sheet.
ResolvedStyle sheetStyle(const TableViewStyleSheet* sheet, Style TableViewStyleSheet::*slot,
                         const ResolvedStyle& defaults);

// The grid's own defaults for an element of `widget`: its font and two colours of its palette.
ResolvedStyle widgetDefaults(const class QWidget& widget, QPalette::ColorRole background = QPalette::Base,
                             QPalette::ColorRole text = QPalette::Text);

} // namespace wc::grid
