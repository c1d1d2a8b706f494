#include "grid/Style.h"

#include <QWidget>

namespace wc::grid {

ResolvedStyle resolve(const Style& style, const ResolvedStyle& defaults) {
    return {style.background.value_or(defaults.background), style.textColor.value_or(defaults.textColor),
            style.font.value_or(defaults.font)};
}

ResolvedStyle sheetStyle(const TableViewStyleSheet* sheet, Style TableViewStyleSheet::*slot,
                         const ResolvedStyle& defaults) {
    return sheet ? resolve(sheet->*slot, defaults) : defaults;
}

ResolvedStyle dataCellStyle(const TableViewStyleSheet* sheet, bool selectedRow, bool gridHasFocus,
                            int position, const ResolvedStyle& defaults) {
    if (selectedRow)
        return sheetStyle(
            sheet, gridHasFocus ? &TableViewStyleSheet::selection : &TableViewStyleSheet::inactive, defaults);
    return sheetStyle(
        sheet, position % 2 == 0 ? &TableViewStyleSheet::contentEven : &TableViewStyleSheet::contentOdd,
        defaults);
}

ResolvedStyle widgetDefaults(const QWidget& widget, QPalette::ColorRole background,
                             QPalette::ColorRole text) {
    return {widget.palette().color(background), widget.palette().color(text), widget.font()};
}

} // namespace wc::grid
