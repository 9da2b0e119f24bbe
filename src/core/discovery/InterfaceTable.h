#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QVector>

namespace pulsewell {

// The discovered interfaces: a title row and one row per interface, nine
// columns. Row 0 is the title row, as in the grid that shows it.
class InterfaceTable : public QObject {
    Q_OBJECT
  public:
    static constexpr int kColumns = 9;

    explicit InterfaceTable(QObject* parent = nullptr);

    int RowCount() const { return static_cast<int>(rows_.size()); }
    // Grows with empty rows or cuts; never below the title row.
    void SetRowCount(int rows);
    QString Cell(int column, int row) const;
    // One line, whatever the device sent: see VisibleCell.
    void SetCell(int column, int row, const QString& text);

    void WriteTitles();
    // Empties every cell below the title row; titles and row count stay.
    void ClearDataCells();

    // The table as the device report's export writes it: one line per row,
    // the title row first, each cell followed by "; ".
    QStringList ExportLines() const;

  signals:
    // Rows firstRow..lastRow may show new texts (rows past the end are gone);
    // the row count may have changed as well.
    void Changed(int firstRow, int lastRow);

  private:
    QVector<QStringList> rows_;
};

}  // namespace pulsewell
