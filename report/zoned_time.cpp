#include "report/zoned_time.h"

#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>

namespace tamso {

namespace {

std::string zoneFromLink() {
  std::error_code error;
  const std::filesystem::path target = std::filesystem::read_symlink("/etc/localtime", error);
  if (error) return {};
  const std::string text = target.string();
  const std::string marker = "zoneinfo/";
  const std::size_t at = text.find(marker);
  return at == std::string::npos ? std::string() : text.substr(at + marker.size());
}

std::string zoneFromFile() {
  std::ifstream in("/etc/timezone");
  std::string name;
  std::getline(in, name);
  return name;
}

}  // namespace

std::string zonedDateTime(std::int32_t minutes) {
  const std::time_t seconds = static_cast<std::time_t>(minutes) * 60;
  std::tm calendar{};
  if (localtime_r(&seconds, &calendar) == nullptr) return {};
  char text[64];
  const std::size_t length = std::strftime(text, sizeof text, "%Y-%m-%dT%H:%M", &calendar);
  const long offset = calendar.tm_gmtoff / 60;
  const long magnitude = offset < 0 ? -offset : offset;
  std::snprintf(text + length, sizeof text - length, "%c%02ld:%02ld", offset < 0 ? '-' : '+', magnitude / 60,
                magnitude % 60);
  return text;
}

std::string localTimeZoneName() {
  if (const char* tz = std::getenv("TZ"); tz != nullptr) {
    if (*tz == ':') ++tz;
    return *tz == '\0' ? "UTC" : tz;  // an empty TZ means UTC
  }
  if (std::string name = zoneFromLink(); !name.empty()) return name;
  if (std::string name = zoneFromFile(); !name.empty()) return name;
  tzset();
  return tzname[0];
}

}  // namespace tamso
