#include "app/view_settings.h"

#include <fmt/format.h>

#include <array>
#include <variant>

#include "app/failure.h"
#include "app/file_io.h"
#include "app/ini_file.h"
#include "app/number_format.h"
#include "mapview/viewport.h"

namespace nav {

namespace {

using Field = std::variant<bool ViewSettings::*, double ViewSettings::*, std::int32_t ViewSettings::*>;

struct Key {
  const char* name;
  Field field;
};

using S = ViewSettings;

constexpr std::array<Key, kSettingsKeyCount> kReadOrder{{
    {"idealDist", &S::idealDist}, {"showGrid", &S::showGrid}, {"showMaps", &S::showMaps},
    {"planning", &S::planning},   {"vor", &S::vor},           {"ils", &S::ils},
    {"ndb", &S::ndb},             {"airport", &S::airport},   {"marker", &S::marker},
    {"obstruct", &S::obstruct},   {"waypoint", &S::waypoint}, {"hiway", &S::hiway},
    {"loway", &S::loway},         {"idway", &S::idway},       {"name", &S::name},
    {"id", &S::id},               {"freq", &S::freq},         {"showAirportZones", &S::showAirportZones},
    {"largeSymbols", &S::largeSymbols}, {"left", &S::left},   {"right", &S::right},
    {"top", &S::top},             {"bottom", &S::bottom},     {"mag", &S::mag},
    {"mag2", &S::mag2},
}};

// The same keys, "id" before "name".
constexpr std::array<Key, kSettingsKeyCount> kWriteOrder{{
    {"idealDist", &S::idealDist}, {"showGrid", &S::showGrid}, {"showMaps", &S::showMaps},
    {"planning", &S::planning},   {"vor", &S::vor},           {"ils", &S::ils},
    {"ndb", &S::ndb},             {"airport", &S::airport},   {"marker", &S::marker},
    {"obstruct", &S::obstruct},   {"waypoint", &S::waypoint}, {"hiway", &S::hiway},
    {"loway", &S::loway},         {"idway", &S::idway},       {"id", &S::id},
    {"name", &S::name},           {"freq", &S::freq},         {"showAirportZones", &S::showAirportZones},
    {"largeSymbols", &S::largeSymbols}, {"left", &S::left},   {"right", &S::right},
    {"top", &S::top},             {"bottom", &S::bottom},     {"mag", &S::mag},
    {"mag2", &S::mag2},
}};

struct Reader {
  const std::string& text;
  char sep;
  ViewSettings& s;
  void operator()(bool S::*f) const {
    if (auto v = parseInteger(text)) s.*f = *v != 0;
  }
  // A file written under another locale keeps its values: the user's
  // separator, a full stop or a comma all read.
  void operator()(double S::*f) const {
    for (const char accepted : {sep, '.', ','}) {
      if (auto v = parseReal(text, accepted)) {
        s.*f = *v;
        return;
      }
    }
  }
  void operator()(std::int32_t S::*f) const {
    if (auto v = parseInteger(text)) s.*f = *v;
  }
};

struct Writer {
  const ViewSettings& s;
  char sep;
  std::string operator()(bool S::*f) const { return s.*f ? "1" : "0"; }
  std::string operator()(double S::*f) const { return formatGeneral(s.*f, sep); }
  std::string operator()(std::int32_t S::*f) const { return std::to_string(s.*f); }
};

}  // namespace

bool setLayerSwitch(ViewSettings& settings, std::string_view key, bool on) {
  for (const Key& k : kReadOrder) {
    if (key != k.name) continue;
    if (auto* flag = std::get_if<bool S::*>(&k.field)) {
      settings.*(*flag) = on;
      return true;
    }
    return false;
  }
  if (key == "wptName") {
    settings.wptName = on;
    return true;
  }
  return false;
}

ViewSettings loadViewSettings(const std::string& path, char decimalSeparator) {
  ViewSettings s;
  IniFile ini;
  try {
    ini = IniFile::parse(readWholeFile(path));
  } catch (const Failure&) {
    return s;  // a missing or unreadable file gives the defaults, silently
  }
  for (const Key& key : kReadOrder) {
    if (auto text = ini.value(kSettingsSection, key.name)) std::visit(Reader{*text, decimalSeparator, s}, key.field);
  }
  s.mag = clampMag(s.mag);
  return s;
}

void saveViewSettings(const std::string& path, const ViewSettings& settings, char decimalSeparator) {
  const std::string failure = fmt::format("Unable to write to {}", path);
  IniFile ini;
  if (fileExists(path)) {
    // Never replace a file whose other sections could not be read back.
    try {
      ini = IniFile::parse(readWholeFile(path));
    } catch (const Failure&) {
      fail(failure);
    }
  }
  for (const Key& key : kWriteOrder)
    ini.setValue(kSettingsSection, key.name, std::visit(Writer{settings, decimalSeparator}, key.field));
  replaceFileContent(path, ini.text(), failure);
}

}  // namespace nav
