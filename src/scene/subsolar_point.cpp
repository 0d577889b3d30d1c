// The sun's apparent position from the low-precision formulas of the
// astronomical almanac, turned into the point on the Earth below it.
#include "scene/subsolar_point.h"

#include <cmath>

namespace {

constexpr double kPi = 3.14159265358979323846;
constexpr double kRadians = kPi / 180.0;       // per degree
constexpr double kDegreesPerHour = 15.0;       // the Earth's turn relative to the mean sun

// Days from 1970-01-01 to the given proleptic Gregorian date (Hinnant's
// days-from-civil); negative before it.
long long DaysFromCivil(long long year, long long month, long long day) {
  year -= month <= 2 ? 1 : 0;
  long long era = (year >= 0 ? year : year - 399) / 400;
  long long yearOfEra = year - era * 400;                                 // 0..399
  long long dayOfYear = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;  // from March 1
  long long dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
  return era * 146097 + dayOfEra - 719468;
}

// Degrees brought into -180..180.
double WrapHalfTurn(double degrees) {
  double wrapped = std::fmod(degrees + 180.0, 360.0);
  if (wrapped < 0.0) wrapped += 360.0;
  return wrapped - 180.0;
}

double HoursOfDay(const UtcDateTime& utc) { return utc.hour + utc.minute / 60.0 + utc.second / 3600.0; }

// Days since 2000-01-01 12:00 UTC (the J2000.0 epoch, UT taken for TT: the
// 70-second difference moves the sun by 0.001 degree).
double DaysSinceJ2000(const UtcDateTime& utc) {
  long long days = DaysFromCivil(utc.year, utc.month, utc.day) - DaysFromCivil(2000, 1, 1);
  return double(days) + (HoursOfDay(utc) - 12.0) / 24.0;
}

}  // namespace

SubsolarPoint SubsolarPointAt(const UtcDateTime& utc) {
  double n = DaysSinceJ2000(utc);
  double meanLongitude = 280.460 + 0.9856474 * n;        // degrees
  double meanAnomaly = (357.528 + 0.9856003 * n) * kRadians;
  double eclipticLongitude =
      (meanLongitude + 1.915 * std::sin(meanAnomaly) + 0.020 * std::sin(2.0 * meanAnomaly)) * kRadians;
  double obliquity = (23.439 - 0.0000004 * n) * kRadians;
  double rightAscension = std::atan2(std::cos(obliquity) * std::sin(eclipticLongitude),
                                     std::cos(eclipticLongitude)) / kRadians;
  double equationOfTime = WrapHalfTurn(meanLongitude - rightAscension);  // degrees, within about 4.5
  SubsolarPoint point;
  point.latitude = std::asin(std::sin(obliquity) * std::sin(eclipticLongitude)) / kRadians;
  point.longitude = WrapHalfTurn(-kDegreesPerHour * (HoursOfDay(utc) - 12.0) - equationOfTime);
  return point;
}
