#pragma once
// The program's command line:
//   tamso [CONFIG] [--map MAPPARAMS] [--local-search] [--seed N] [--export-png FILE] [--size WxH]
//         [--route-sheets FILE.pdf] [--plan PLAN.json]
#include <QSize>
#include <QString>
#include <QStringList>
#include <cstdint>
#include <optional>
#include <variant>

namespace tamso::ui {

struct StartOptions {
  QString config;
  QString mapParams;
  bool localSearch = false;
  std::optional<std::uint32_t> seed;
  QString exportPng;
  QString routeSheets;   // the route sheets of the plan as a PDF file, written without a window
  QString plan;          // a plan document laid over the data at start
  QSize size{800, 600};  // client size of the map view
  bool help = false;
  bool version = false;
};

inline const QString kStartUsage = QStringLiteral(
    "Usage: tamso [CONFIG] [--map MAPPARAMS] [--local-search] [--seed N] [--export-png FILE] [--size WxH]\n"
    "             [--route-sheets FILE.pdf] [--plan PLAN.json]\n"
    "       tamso --help | --version");

// `arguments` without the program name. An error text when the line cannot be understood.
std::variant<StartOptions, QString> parseStartOptions(const QStringList& arguments);

}  // namespace tamso::ui
