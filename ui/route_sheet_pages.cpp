#include "ui/route_sheet_pages.h"

#include <QBuffer>
#include <QPageLayout>
#include <QPainter>
#include <QPdfWriter>
#include <numeric>

#include "core/file_replace.h"
#include "problem/file_identity.h"

namespace tamso::ui {

namespace {

// Share of the page width of each column, in the order of routeSheetColumns().
constexpr int kColumnWeights[] = {2, 7, 6, 11, 10, 21, 11, 11, 16, 5};

QString text(const std::string& s) { return QString::fromStdString(s); }

// Where the next line of a sheet goes; a full page starts a new one with the headings again.
class SheetPage {
 public:
  SheetPage(QPainter& painter, QPagedPaintDevice& device) : painter_(painter), device_(device) {
    const QRect area = painter.viewport();
    width_ = area.width();
    height_ = area.height();
    line_ = painter.fontMetrics().height() * 13 / 10;
  }

  void title(const std::string& title) {
    QFont bold = painter_.font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.4);
    painter_.save();
    painter_.setFont(bold);
    y_ += painter_.fontMetrics().height();
    painter_.drawText(0, y_, text(title));
    painter_.restore();
    y_ += line_ / 2;
  }

  void headings(const std::vector<std::string>& columns) {
    headings_ = columns;
    QFont bold = painter_.font();
    bold.setBold(true);
    painter_.save();
    painter_.setFont(bold);
    cells(columns);
    painter_.restore();
    painter_.drawLine(0, y_ + line_ / 4, width_, y_ + line_ / 4);
  }

  void row(const std::vector<std::string>& row) {
    if (y_ + 2 * line_ > height_) {
      device_.newPage();
      y_ = 0;
      headings(headings_);
    }
    cells(row);
  }

  void totals(const std::vector<std::pair<std::string, std::string>>& totals) {
    y_ += line_ / 2;
    painter_.drawLine(0, y_, width_, y_);
    for (const auto& [name, value] : totals) {
      if (y_ + line_ > height_) {
        device_.newPage();
        y_ = 0;
      }
      y_ += line_;
      painter_.drawText(0, y_, text(name) + QStringLiteral(": ") + text(value));
    }
  }

 private:
  void cells(const std::vector<std::string>& row) {
    y_ += line_;
    const int total = std::accumulate(std::begin(kColumnWeights), std::end(kColumnWeights), 0);
    int x = 0;
    for (std::size_t c = 0; c < row.size() && c < std::size(kColumnWeights); ++c) {
      const int w = width_ * kColumnWeights[c] / total;
      const QString cell = painter_.fontMetrics().elidedText(text(row[c]), Qt::ElideRight, w - line_ / 4);
      painter_.drawText(x, y_, cell);
      x += w;
    }
  }

  QPainter& painter_;
  QPagedPaintDevice& device_;
  std::vector<std::string> headings_;
  int width_ = 0;
  int height_ = 0;
  int line_ = 0;
  int y_ = 0;
};

}  // namespace

void paintRouteSheets(QPainter& painter, QPagedPaintDevice& device, const std::vector<RouteSheet>& sheets) {
  QFont font = painter.font();
  font.setPointSizeF(8.0);
  painter.setFont(font);
  for (std::size_t i = 0; i < sheets.size(); ++i) {
    if (i > 0) device.newPage();
    SheetPage page(painter, device);
    page.title(sheets[i].title);
    page.headings(sheets[i].columns);
    for (const std::vector<std::string>& row : sheets[i].rows) page.row(row);
    page.totals(sheets[i].totals);
  }
}

std::optional<QString> writeRouteSheetsPdf(const QString& path, const std::vector<RouteSheet>& sheets,
                                           const std::vector<std::string>& inputs) {
  if (const auto refusal = refuseOverwritingInput(path.toStdString(), inputs)) return QString::fromStdString(*refusal);
  if (sheets.empty()) return QStringLiteral("There are no routes with stops to print.");
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  {
    QPdfWriter writer(&buffer);
    writer.setTitle(QStringLiteral("Route sheets"));
    writer.setCreator(QStringLiteral("Tamso"));
    writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Landscape, QMarginsF(12, 12, 12, 12),
                                     QPageLayout::Millimeter));
    QPainter painter(&writer);
    if (!painter.isActive()) return QStringLiteral("Cannot write the route sheets ") + path;
    paintRouteSheets(painter, writer, sheets);
  }
  if (const auto error = replaceFile(path.toStdString(), bytes.toStdString())) return QString::fromStdString(*error);
  return std::nullopt;
}

}  // namespace tamso::ui
