#pragma once

// The log list: one row per listed contact, each row naming its record by number. Rows
// are built from the record arrays only when asked (no item object per row), so
// refilling the list stays cheap at 11,000 contacts.

#include "core/AppState.h"

#include <QAbstractTableModel>
#include <vector>

struct LogColumn {
    QString title;
    float designWidth; // twips at the design width of 9600
    enum class Field { Record, Call, RstRcvd, Spc, County, RstSent, DateTime, Mode, Band, CountySent } field;
};

// The pixel widths of the log list's columns. Each column gets its least width (the design
// width on screen) or, when its title or text needs more, what it needs. When that adds up
// to more than the room the list has, the columns wider than their text give up the excess
// in proportion to what each can spare, never below what its text needs; only when the
// texts themselves need more than the room does the total stay wider than it.
std::vector<int> fitColumnWidths(const std::vector<int>& least, const std::vector<int>& needed, int room);

class LogListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    LogListModel(const AppState& state, QObject* parent = nullptr);

    void setColumns(std::vector<LogColumn> columns);
    const std::vector<LogColumn>& columns() const { return m_columns; }

    // Shows these records, in this order.
    void setRecords(std::vector<qint32> records);
    // Whether the rows are those records, in that order.
    bool lists(const std::vector<qint32>& records) const { return m_records == records; }
    void clear() { setRecords({}); }
    qint32 recordAt(int row) const;

    // The text of one cell, as the list shows it.
    QString cellText(int row, int column) const;

    // Sorts the rows once by the text of a column (ascending text order).
    void sortOnce(int column);

    // The listed rows as tab-separated text: the header, then the rows from the last one
    // up to the first, each line ending CR LF.
    QString clipboardText() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const AppState& m_state;
    std::vector<LogColumn> m_columns;
    std::vector<qint32> m_records;
};
