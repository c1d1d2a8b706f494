#pragma once

#include <QObject>
#include <QString>

namespace wc::mem {

class MemTable;

// The two-way link between one text box and one field of a table, without the box itself:
// the box shows textChanged() and hands what the user types to writeText().
class FieldLink : public QObject {
    Q_OBJECT
public:
    FieldLink(MemTable& table, const QString& fieldName, QObject* parent = nullptr);

    // The field of the current row as a box shows it: empty for a null value, no row, or a
    // closed table.
    QString text() const;
    // Puts the table into editing first (inserting, when it has no row) and stores the text.
    // On a closed table nothing is stored, the box is told to show the field again, and the
    // result is false.
    bool writeText(const QString& text);

signals:
    // The box must show this text: the table opened, closed or moved, or the field changed
    // other than through this link.
    void textChanged(const QString& text);

private:
    void announce();

    MemTable& table_;
    int field_;
    // During the link's own write the box already shows its full text (also when the stored
    // value is cut to the field's size), so nothing is sent back to it.
    bool writing_ = false;
};

} // namespace wc::mem
