#include "mainwindow/LogListModel.h"

#include "entry/DateTimeText.h"

#include <algorithm>

std::vector<int> fitColumnWidths(const std::vector<int>& least, const std::vector<int>& needed, int room)
{
    const size_t count = std::min(least.size(), needed.size());
    std::vector<int> widths(count);
    std::vector<qint64> spare(count);
    qint64 total = 0;
    qint64 totalSpare = 0;
    for (size_t i = 0; i < count; ++i) {
        widths[i] = std::max(least[i], needed[i]);
        spare[i] = widths[i] - std::max(needed[i], 0);
        total += widths[i];
        totalSpare += spare[i];
    }
    const qint64 excess = total - room;
    if (excess <= 0 || totalSpare == 0)
        return widths;
    if (totalSpare <= excess) {
        for (size_t i = 0; i < count; ++i)
            widths[i] -= int(spare[i]);
        return widths;
    }
    // Rounded down, the shares fall short by less than one pixel a column; the columns
    // with spare left give one more pixel each, from the left, until the total fits.
    qint64 cut = 0;
    for (size_t i = 0; i < count; ++i) {
        const qint64 share = excess * spare[i] / totalSpare;
        widths[i] -= int(share);
        spare[i] -= share;
        cut += share;
    }
    for (size_t i = 0; i < count && cut < excess; ++i) {
        if (spare[i] > 0) {
            --widths[i];
            ++cut;
        }
    }
    return widths;
}

LogListModel::LogListModel(const AppState& state, QObject* parent)
    : QAbstractTableModel(parent), m_state(state)
{
}

void LogListModel::setColumns(std::vector<LogColumn> columns)
{
    beginResetModel();
    m_columns = std::move(columns);
    endResetModel();
}

void LogListModel::setRecords(std::vector<qint32> records)
{
    beginResetModel();
    m_records = std::move(records);
    endResetModel();
}

qint32 LogListModel::recordAt(int row) const
{
    return row >= 0 && size_t(row) < m_records.size() ? m_records[size_t(row)] : 0;
}

QString LogListModel::cellText(int row, int column) const
{
    const qint32 n = recordAt(row);
    if (n < 1 || n > m_state.log.QsoCount || column < 0 || size_t(column) >= m_columns.size())
        return {};
    const LogEntry& e = m_state.log.Log[size_t(n)];
    using F = LogColumn::Field;
    switch (m_columns[size_t(column)].field) {
    case F::Record: return QString::number(n);
    case F::Call: return e.Call;
    case F::RstRcvd: return e.RstRcvd;
    case F::Spc: return e.Spc;
    case F::County: return e.County;
    case F::RstSent: return e.RstSent;
    case F::DateTime: return logDateMonthDay(e.Date) + QLatin1Char(' ') + logTimeHourMinute(e.Time);
    case F::Mode: return e.Mode;
    case F::Band: return e.Band;
    case F::CountySent: return e.CountySent;
    }
    return {};
}

void LogListModel::sortOnce(int column)
{
    beginResetModel();
    std::vector<std::pair<QString, qint32>> keyed;
    keyed.reserve(m_records.size());
    for (size_t row = 0; row < m_records.size(); ++row)
        keyed.emplace_back(cellText(int(row), column), m_records[row]);
    std::stable_sort(keyed.begin(), keyed.end(), [](const auto& a, const auto& b) {
        return a.first.compare(b.first, Qt::CaseInsensitive) < 0;
    });
    for (size_t row = 0; row < keyed.size(); ++row)
        m_records[row] = keyed[row].second;
    endResetModel();
}

QString LogListModel::clipboardText() const
{
    QString text;
    const int columns = int(m_columns.size());
    for (int c = 0; c < columns; ++c)
        text += m_columns[size_t(c)].title + (c + 1 < columns ? QStringLiteral("\t") : QStringLiteral("\r\n"));
    for (int row = int(m_records.size()) - 1; row >= 0; --row) {
        for (int c = 0; c < columns; ++c)
            text += cellText(row, c) + (c + 1 < columns ? QStringLiteral("\t") : QStringLiteral("\r\n"));
    }
    return text;
}

int LogListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_records.size());
}

int LogListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(m_columns.size());
}

QVariant LogListModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    return cellText(index.row(), index.column());
}

QVariant LogListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0
        || size_t(section) >= m_columns.size())
        return {};
    return m_columns[size_t(section)].title;
}
