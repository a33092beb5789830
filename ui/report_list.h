#pragma once
// A read-only list in report view: fixed columns with headings and pixel widths, whole
// rows selected, columns sorted by a click on their heading (numbers by value, not by
// text), and the selected rows copied with Ctrl+C as tab-separated text for a spreadsheet.
#include <QString>
#include <QStringList>
#include <QTreeView>
#include <QVariant>
#include <vector>

class QStandardItemModel;
class QSortFilterProxyModel;

namespace tamso::ui {

class ReportList : public QTreeView {
  Q_OBJECT

 public:
  struct Column {
    QString heading;
    int width = 140;
  };
  // A cell: its text and, when it does not sort as text (a number), the value to sort by.
  struct Cell {
    Cell(QString text) : text(std::move(text)) {}              // NOLINT: a plain text cell
    Cell(const char* text) : text(QString::fromUtf8(text)) {}  // NOLINT
    Cell(QString text, double value) : text(std::move(text)), sortValue(value) {}
    QString text;
    QVariant sortValue;
  };

  explicit ReportList(const std::vector<Column>& columns, QWidget* parent = nullptr);

  // Adds a row; a column too narrow for one of its texts widens to show it whole.
  void addRow(const std::vector<Cell>& cells);
  // The size that shows every column and `rows` rows without scrolling.
  QSize contentSize(int rows) const;
  void clearRows();
  int rowCount() const;
  int columnCount() const;
  // Texts in the order shown (after any sorting).
  QString cellText(int row, int column) const;
  QString headingText(int column) const;
  // The selected rows in shown order, or every row when none is selected: cells joined by
  // tabs, each row ended by a line break.
  QString rowsAsText() const;
  void copyRows() const;

 protected:
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void widenColumnFor(int column, const QString& text);

  QStandardItemModel* model_;
  QSortFilterProxyModel* sorted_;
};

}  // namespace tamso::ui
