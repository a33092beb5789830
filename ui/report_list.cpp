#include "ui/report_list.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QSortFilterProxyModel>
#include <QStandardItemModel>
#include <QStyle>
#include <algorithm>

namespace tamso::ui {

namespace {
constexpr int sortRole = Qt::UserRole + 1;

// A tab or line break inside a name would split the cell in a spreadsheet.
QString spreadsheetCell(QString text) {
  for (QChar& c : text) {
    if (c == QLatin1Char('\t') || c == QLatin1Char('\n') || c == QLatin1Char('\r')) c = QLatin1Char(' ');
  }
  return text;
}
}  // namespace

ReportList::ReportList(const std::vector<Column>& columns, QWidget* parent)
    : QTreeView(parent),
      model_(new QStandardItemModel(0, static_cast<int>(columns.size()), this)),
      sorted_(new QSortFilterProxyModel(this)) {
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    model_->setHeaderData(c, Qt::Horizontal, columns[static_cast<std::size_t>(c)].heading);
  }
  sorted_->setSourceModel(model_);
  sorted_->setSortRole(sortRole);
  setModel(sorted_);
  setRootIsDecorated(false);
  setUniformRowHeights(true);
  setAllColumnsShowFocus(true);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  header()->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
  header()->setStretchLastSection(false);
  for (int c = 0; c < static_cast<int>(columns.size()); ++c) {
    header()->resizeSection(c, columns[static_cast<std::size_t>(c)].width);
    widenColumnFor(c, columns[static_cast<std::size_t>(c)].heading);
  }
  // Rows keep their given order until a heading is clicked.
  header()->setSortIndicator(-1, Qt::AscendingOrder);
  setSortingEnabled(true);
}

void ReportList::addRow(const std::vector<Cell>& cells) {
  QList<QStandardItem*> items;
  for (int c = 0; c < model_->columnCount(); ++c) {
    auto* item = new QStandardItem;
    item->setEditable(false);
    if (c < static_cast<int>(cells.size())) {
      const Cell& cell = cells[static_cast<std::size_t>(c)];
      item->setText(cell.text);
      widenColumnFor(c, cell.text);
      item->setData(cell.sortValue.isValid() ? cell.sortValue : QVariant(cell.text), sortRole);
    } else {
      item->setData(QString(), sortRole);
    }
    items.append(item);
  }
  model_->appendRow(items);
}

// Room for the text and the cell's margins on both sides.
void ReportList::widenColumnFor(int column, const QString& text) {
  const int needed =
      fontMetrics().horizontalAdvance(text) + 3 * style()->pixelMetric(QStyle::PM_FocusFrameHMargin) + 16;
  if (header()->sectionSize(column) < needed) header()->resizeSection(column, needed);
}

QSize ReportList::contentSize(int rows) const {
  int width = 0;
  for (int c = 0; c < columnCount(); ++c) width += header()->sectionSize(c);
  const int rowHeight = rowCount() > 0 ? sizeHintForRow(0) : fontMetrics().height() + 4;
  const int frame = 2 * frameWidth();
  const int scrollBar = style()->pixelMetric(QStyle::PM_ScrollBarExtent);
  return {width + frame + scrollBar, header()->sizeHint().height() + rows * std::max(1, rowHeight) + frame + 2};
}

void ReportList::clearRows() { model_->removeRows(0, model_->rowCount()); }

int ReportList::rowCount() const { return sorted_->rowCount(); }

int ReportList::columnCount() const { return model_->columnCount(); }

QString ReportList::cellText(int row, int column) const {
  return sorted_->index(row, column).data(Qt::DisplayRole).toString();
}

QString ReportList::headingText(int column) const { return model_->headerData(column, Qt::Horizontal).toString(); }

QString ReportList::rowsAsText() const {
  std::vector<int> rows;
  if (selectionModel()) {
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
  }
  if (rows.empty()) {
    for (int r = 0; r < rowCount(); ++r) rows.push_back(r);
  }
  std::sort(rows.begin(), rows.end());
  QString text;
  for (int r : rows) {
    QStringList cells;
    for (int c = 0; c < columnCount(); ++c) cells.append(spreadsheetCell(cellText(r, c)));
    text += cells.join(QLatin1Char('\t'));
    text += QLatin1Char('\n');
  }
  return text;
}

void ReportList::copyRows() const { QGuiApplication::clipboard()->setText(rowsAsText()); }

void ReportList::keyPressEvent(QKeyEvent* event) {
  if (event->matches(QKeySequence::Copy)) {
    copyRows();
    event->accept();
    return;
  }
  QTreeView::keyPressEvent(event);
}

}  // namespace tamso::ui
