#include "flightplan/magnetic_model.h"

#include <fmt/format.h>

#include <GeographicLib/MagneticModel.hpp>
#include <chrono>
#include <filesystem>

#include "base/failure.h"
#include "base/native_file.h"
#include "navdata/records.h"

namespace nav {

MagneticVariation::MagneticVariation(const std::string& folder) {
  namespace fs = std::filesystem;
  const std::string name = fmt::format("{}wmm2025.wmm", folder);
  // GeographicLib opens its files by a narrow name, which on Windows cannot
  // hold every character of a folder's name ("Frédéric"): they are read
  // from that folder made current for the moment, by a name of ASCII.
  std::error_code ec;
  const fs::path before = fs::current_path(ec);
  if (ec) fail(fmt::format("Cannot open file {}", name));
  fs::current_path(pathFromUtf8(folder.empty() ? "." : folder), ec);
  if (ec) fail(fmt::format("Cannot open file {}", name));
  try {
    model_ = std::make_unique<GeographicLib::MagneticModel>("wmm2025", ".");
  } catch (const GeographicLib::GeographicErr&) {
    // Messages must not leave the program's own.
  }
  fs::current_path(before, ec);
  if (!model_) fail(fmt::format("Cannot open file {}", name));
}

MagneticVariation::~MagneticVariation() = default;

std::optional<double> MagneticVariation::at(GeoPosition p, double year) const {
  if (!(year >= model_->MinTime() && year <= model_->MaxTime())) return std::nullopt;
  double bx = 0, by = 0, bz = 0;
  (*model_)(year, p.lat / kArcSecondsPerDegree, p.lon / kArcSecondsPerDegree, 0, bx, by, bz);
  double h = 0, f = 0, d = 0, i = 0;
  GeographicLib::MagneticModel::FieldComponents(bx, by, bz, h, f, d, i);
  return d;
}

double MagneticVariation::firstYear() const { return model_->MinTime(); }
double MagneticVariation::lastYear() const { return model_->MaxTime(); }

double decimalYear(int year, int month, int day) {
  using namespace std::chrono;
  const sys_days date{std::chrono::year{year} / month / day};
  const sys_days first{std::chrono::year{year} / 1 / 1};
  const sys_days next{std::chrono::year{year + 1} / 1 / 1};
  return year + static_cast<double>((date - first).count()) / static_cast<double>((next - first).count());
}

}  // namespace nav
