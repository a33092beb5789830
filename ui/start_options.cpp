#include "ui/start_options.h"

#include <QRegularExpression>

namespace tamso::ui {

namespace {

std::optional<QSize> parseSize(const QString& text) {
  static const QRegularExpression pattern(QStringLiteral("^([0-9]{1,5})[xX]([0-9]{1,5})$"));
  const QRegularExpressionMatch match = pattern.match(text);
  if (!match.hasMatch()) return std::nullopt;
  const int width = match.captured(1).toInt();
  const int height = match.captured(2).toInt();
  if (width < 1 || height < 1 || width > 16384 || height > 16384) return std::nullopt;
  return QSize(width, height);
}

std::optional<std::uint32_t> parseSeed(const QString& text) {
  bool ok = false;
  const qulonglong value = text.toULongLong(&ok, 10);
  if (!ok || value > 0xFFFFFFFFull || text.startsWith(QLatin1Char('+'))) return std::nullopt;
  return static_cast<std::uint32_t>(value);
}

}  // namespace

std::variant<StartOptions, QString> parseStartOptions(const QStringList& arguments) {
  StartOptions options;
  for (qsizetype i = 0; i < arguments.size(); ++i) {
    const QString& arg = arguments[i];
    const auto value = [&]() -> std::optional<QString> {
      if (i + 1 >= arguments.size()) return std::nullopt;
      return arguments[++i];
    };
    if (arg == QLatin1String("--help") || arg == QLatin1String("-h")) {
      options.help = true;
    } else if (arg == QLatin1String("--version")) {
      options.version = true;
    } else if (arg == QLatin1String("--local-search")) {
      options.localSearch = true;
    } else if (arg == QLatin1String("--map")) {
      const auto v = value();
      if (!v) return QStringLiteral("--map needs a map-parameters file");
      options.mapParams = *v;
    } else if (arg == QLatin1String("--export-png")) {
      const auto v = value();
      if (!v) return QStringLiteral("--export-png needs a file name");
      options.exportPng = *v;
    } else if (arg == QLatin1String("--route-sheets")) {
      const auto v = value();
      if (!v) return QStringLiteral("--route-sheets needs a file name");
      options.routeSheets = *v;
    } else if (arg == QLatin1String("--plan")) {
      const auto v = value();
      if (!v) return QStringLiteral("--plan needs a plan file");
      options.plan = *v;
    } else if (arg == QLatin1String("--seed")) {
      const auto v = value();
      const auto seed = v ? parseSeed(*v) : std::nullopt;
      if (!seed) return QStringLiteral("--seed needs a whole number from 0 to 4294967295");
      options.seed = seed;
    } else if (arg == QLatin1String("--size")) {
      const auto v = value();
      const auto size = v ? parseSize(*v) : std::nullopt;
      if (!size) return QStringLiteral("--size needs WIDTHxHEIGHT, for example 800x600");
      options.size = *size;
    } else if (arg.startsWith(QLatin1String("--"))) {
      return QStringLiteral("Unknown option ") + arg;
    } else if (options.config.isEmpty()) {
      options.config = arg;
    } else {
      return QStringLiteral("Only one data file can be opened: ") + arg;
    }
  }
  if (options.localSearch && options.config.isEmpty()) return QStringLiteral("--local-search needs a data file");
  if (!options.plan.isEmpty() && options.config.isEmpty()) return QStringLiteral("--plan needs a data file");
  return options;
}

}  // namespace tamso::ui
