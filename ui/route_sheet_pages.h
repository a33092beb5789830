#pragma once
// Route sheets on paper: one sheet a page, its title, its rows as a table with ruled lines and
// its totals below, in the page's own units so the same layout serves the printer, the print
// preview and a PDF file.
#include <QString>
#include <optional>
#include <vector>

#include "report/route_sheet.h"

class QPagedPaintDevice;
class QPainter;

namespace tamso::ui {

// Paints the sheets onto the device, starting a new page for each after the first.
void paintRouteSheets(QPainter& painter, QPagedPaintDevice& device, const std::vector<RouteSheet>& sheets);

// Writes the sheets as a PDF file (A4, landscape), whole or not at all; the error message, or
// nothing when the file was written. `inputs` are the files that must not be written over.
std::optional<QString> writeRouteSheetsPdf(const QString& path, const std::vector<RouteSheet>& sheets,
                                           const std::vector<std::string>& inputs);

}  // namespace tamso::ui
