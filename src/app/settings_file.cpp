#include "app/settings_file.h"

#include <fmt/format.h>

#include <array>
#include <variant>

#include "base/failure.h"
#include "base/file_io.h"
#include "base/ini_file.h"
#include "base/number_format.h"

namespace nav {

namespace {

using S = ViewSettings;
using V = Viewport;
using Field = std::variant<bool S::*, double S::*, double V::*, std::int32_t V::*>;

struct Key {
  const char* name;
  Field field;
};

// In the order start-up reads them.
// clang-format off
constexpr std::array<Key, kSettingsKeyCount> kKeys{{
    {"idealDist", &S::idealDist}, {"showGrid", &S::showGrid}, {"showMaps", &S::showMaps},
    {"planning", &S::planning},   {"vor", &S::vor},           {"ils", &S::ils},
    {"ndb", &S::ndb},             {"airport", &S::airport},   {"marker", &S::marker},
    {"obstruct", &S::obstruct},   {"waypoint", &S::waypoint}, {"hiway", &S::hiway},
    {"loway", &S::loway},         {"idway", &S::idway},       {"name", &S::name},
    {"id", &S::id},               {"freq", &S::freq},         {"showAirportZones", &S::showAirportZones},
    {"largeSymbols", &S::largeSymbols}, {"left", &V::left},   {"right", &V::right},
    {"top", &V::top},             {"bottom", &V::bottom},     {"mag", &V::mag},
    {"mag2", &V::mag2},
}};
// clang-format on

// Shutdown writes them in the same order but for "id" before "name".
constexpr std::array<std::size_t, kSettingsKeyCount> kWriteOrder{0,  1,  2,  3,  4,  5,  6,  7,  8,  9,  10, 11, 12,
                                                                 13, 15, 14, 16, 17, 18, 19, 20, 21, 22, 23, 24};

// Reals written under another locale still read: a full stop or a comma.
std::optional<double> readReal(const std::string& text, char sep) {
  for (const char accepted : {sep, '.', ','})
    if (auto v = parseReal(text, accepted)) return v;
  return std::nullopt;
}

struct Reader {
  const std::string& text;
  char sep;
  S& s;
  V& v;
  void operator()(bool S::*f) const {
    if (auto n = parseInteger(text)) s.*f = *n != 0;
  }
  void operator()(double S::*f) const {
    if (auto x = readReal(text, sep)) s.*f = *x;
  }
  void operator()(double V::*f) const {
    if (auto x = readReal(text, sep)) v.*f = *x;
  }
  void operator()(std::int32_t V::*f) const {
    if (auto n = parseInteger(text)) v.*f = *n;
  }
};

struct Writer {
  const S& s;
  const V& v;
  char sep;
  std::string operator()(bool S::*f) const { return s.*f ? "1" : "0"; }
  std::string operator()(double S::*f) const { return formatGeneral(s.*f, sep); }
  std::string operator()(double V::*f) const { return formatGeneral(v.*f, sep); }
  std::string operator()(std::int32_t V::*f) const { return std::to_string(v.*f); }
};

}  // namespace

bool setLayerSwitch(ViewSettings& settings, std::string_view key, bool on) {
  if (key == "wptName") {
    settings.wptName = on;
    return true;
  }
  for (const Key& k : kKeys) {
    if (key != k.name) continue;
    const auto* flag = std::get_if<bool S::*>(&k.field);
    if (flag) settings.*(*flag) = on;
    return flag != nullptr;
  }
  return false;
}

void defaultViewSettings(ViewSettings& settings, Viewport& view) {
  const bool wptName = settings.wptName;
  settings = ViewSettings{};
  settings.wptName = wptName;
  const Viewport defaults;
  view.left = defaults.left;
  view.right = defaults.right;
  view.top = defaults.top;
  view.bottom = defaults.bottom;
  view.mag = defaults.mag;
  view.mag2 = defaults.mag2;
}

void loadViewSettings(const std::string& path, char decimalSeparator, ViewSettings& settings, Viewport& view) {
  defaultViewSettings(settings, view);
  try {
    const IniFile ini = IniFile::parse(readWholeFile(path, kTextFileLimit));
    for (const Key& key : kKeys) {
      if (auto text = ini.value(kSettingsSection, key.name))
        std::visit(Reader{*text, decimalSeparator, settings, view}, key.field);
    }
  } catch (...) {
    // A missing or unreadable file gives the defaults, silently; so does
    // anything else that breaks the reading half way.
    defaultViewSettings(settings, view);
  }
  view.mag = clampMag(view.mag);
}

IniFile settingsToUpdate(const std::string& path, const std::string& failure) {
  IniFile ini;
  if (fileExists(path)) {
    // Never replace a file whose other sections could not be read back.
    try {
      ini = IniFile::parse(readWholeFile(path, kTextFileLimit));
    } catch (const Failure&) {
      fail(failure);
    }
  }
  return ini;
}

void saveViewSettings(const std::string& path, const ViewSettings& settings, const Viewport& view,
                      char decimalSeparator) {
  const std::string failure = fmt::format("Unable to write to {}", path);
  IniFile ini = settingsToUpdate(path, failure);
  for (const std::size_t k : kWriteOrder)
    ini.setValue(kSettingsSection, kKeys[k].name, std::visit(Writer{settings, view, decimalSeparator}, kKeys[k].field));
  replaceFileContent(path, ini.text(), failure);
}

}  // namespace nav
