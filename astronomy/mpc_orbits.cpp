// Reading the Minor Planet Center's one-line orbits of minor planets (MPCORB.DAT) and comets
// (CometEls.txt). Fixed columns, counted from 1 as the centre's documents count them; a column
// beyond the line's end reads as a blank, and nothing is read past the length given.
#include "astronomy/mpc_orbits.h"

#include <cmath>
#include <cstddef>
#include <cstdio>

#include "astronomy/elements.h"
#include "calendar/calendar.h"

namespace dockorrery {

namespace {

constexpr double kGaussDegreesPerDay = 0.01720209895 / kDegree;  // 0.9856076686...

// The line, its final line feed and carriage return left out.
struct Line {
  const char* bytes;
  size_t length;
  explicit Line(std::string_view text) : bytes(text.data()), length(text.size()) {
    while (length > 0 && (bytes[length - 1] == '\n' || bytes[length - 1] == '\r')) --length;
  }
  // Column `c` (from 1); a blank beyond the end.
  char at(int c) const {
    return c >= 1 && static_cast<size_t>(c) <= length ? bytes[c - 1] : ' ';
  }
  bool blank(int first, int last) const {
    for (int c = first; c <= last; ++c) {
      if (at(c) != ' ') return false;
    }
    return true;
  }
};

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// A digit of base 62: 0-9, A-Z for 10 to 35, a-z for 36 to 61; -1 for another character.
int base62(char c) {
  if (isDigit(c)) return c - '0';
  if (c >= 'A' && c <= 'Z') return c - 'A' + 10;
  if (c >= 'a' && c <= 'z') return c - 'a' + 36;
  return -1;
}

enum class Read { Value, Blank, Bad, Cut };

// A number in columns first to last: blanks, a sign, digits with at most one point, blanks; at
// least one digit. Blanks inside it, or any other character, make it Bad. The digits (at most
// 18 of them) are read as one integer divided once by a power of ten, so the value is the double
// nearest the printed one.
Read readNumber(const Line& line, int first, int last, double& value, bool point = true) {
  // A number is right-aligned: one the line's end cuts has lost its last digits.
  if (static_cast<size_t>(last) > line.length && !line.blank(first, last)) return Read::Cut;
  int c = first;
  while (c <= last && line.at(c) == ' ') ++c;
  if (c > last) return Read::Blank;
  bool negative = false;
  if (line.at(c) == '-' || line.at(c) == '+') negative = line.at(c++) == '-';
  int64_t mantissa = 0;
  int digits = 0, decimals = 0;
  bool seenPoint = false;
  for (; c <= last && line.at(c) != ' '; ++c) {
    const char ch = line.at(c);
    if (isDigit(ch)) {
      if (++digits > 18) return Read::Bad;
      mantissa = mantissa * 10 + (ch - '0');
      decimals += seenPoint;
    } else if (ch == '.' && point && !seenPoint) {
      seenPoint = true;
    } else {
      return Read::Bad;
    }
  }
  if (digits == 0 || !line.blank(c, last)) return Read::Bad;
  double v = static_cast<double>(mantissa);
  if (decimals > 0) v /= std::pow(10.0, decimals);
  value = negative ? -v : v;
  return Read::Value;
}

// The Julian Day (0h) of a Gregorian date; false when the month or day is not the calendar's.
bool dateJd(int64_t year, int month, int day, double& jd) {
  if (month < 1 || month > 12 || day < 1) return false;
  MonthLengthTable lengths;
  monthLengths(year, lengths);
  if (day > lengths[month - 1]) return false;
  jd = static_cast<double>(julianDayNumber(day, month, year)) - 0.5;
  return true;
}

// The packed date of five characters: century (A for 10 to L for 21), year in it, month (1-9,
// A-C), day (1-9, A-V).
bool packedDate(const Line& line, int first, double& jd) {
  const int century = base62(line.at(first));
  const int month = base62(line.at(first + 3)), day = base62(line.at(first + 4));
  if (century < 10 || century > 21 || !isDigit(line.at(first + 1)) ||
      !isDigit(line.at(first + 2)) || month < 1 || day < 1 || day > 31) {
    return false;
  }
  const int year = century * 100 + (line.at(first + 1) - '0') * 10 + (line.at(first + 2) - '0');
  return dateJd(year, month, day, jd);
}

// Appends text to a fixed buffer, NUL-terminated, cut at its size.
struct Text {
  char* out;
  size_t size, used = 0;
  Text(char* buffer, size_t bufferSize) : out(buffer), size(bufferSize) { out[0] = '\0'; }
  void add(const char* s) {
    while (*s && used + 1 < size) out[used++] = *s++;
    out[used] = '\0';
  }
  void add(int64_t n) {
    char digits[24];
    std::snprintf(digits, sizeof digits, "%lld", static_cast<long long>(n));
    add(digits);
  }
  void add(char c) {
    const char s[2] = {c, '\0'};
    add(s);
  }
};

bool isHalfMonth(char c) { return c >= 'A' && c <= 'Y' && c != 'I'; }

// A packed provisional designation of the form century, year, half-month, cycle count (two
// characters: base-62 tens and a digit), then `last`; unpacked as "1995 XL1" when `letter`
// (the second letter of a minor planet) or "1995 O1" (a comet's).
bool packedProvisional(const Line& line, int first, char provisional[16], bool letter) {
  const int century = base62(line.at(first));
  const char half = line.at(first + 3), second = line.at(first + 6);
  const int tens = base62(line.at(first + 4));
  if (century < 10 || century > 21 || !isDigit(line.at(first + 1)) ||
      !isDigit(line.at(first + 2)) || !isHalfMonth(half) || tens < 0 ||
      !isDigit(line.at(first + 5))) {
    return false;
  }
  if (letter && !(second >= 'A' && second <= 'Z' && second != 'I')) return false;
  const int year = century * 100 + (line.at(first + 1) - '0') * 10 + (line.at(first + 2) - '0');
  const int cycle = tens * 10 + (line.at(first + 5) - '0');
  Text text(provisional, 16);
  text.add(static_cast<int64_t>(year));
  text.add(' ');
  text.add(half);
  if (letter) text.add(second);
  if (letter ? cycle > 0 : true) text.add(static_cast<int64_t>(cycle));
  return letter || cycle > 0;  // a comet's count starts at 1
}

// The designation in columns 1-7 of a minor planet's line: a packed number, a packed
// provisional designation or a survey's.
bool minorPlanetDesignation(const Line& line, MpcOrbit& orbit) {
  const char c1 = line.at(1);
  if (line.blank(6, 7)) {
    if (c1 == '~') {  // 620000 and beyond: four base-62 digits
      int64_t n = 0;
      for (int c = 2; c <= 5; ++c) {
        const int d = base62(line.at(c));
        if (d < 0) return false;
        n = n * 62 + d;
      }
      orbit.number = static_cast<int32_t>(620000 + n);
      return true;
    }
    const int high = base62(c1);
    if (high < 0) return false;
    int32_t n = high;
    for (int c = 2; c <= 5; ++c) {
      if (!isDigit(line.at(c))) return false;
      n = n * 10 + (line.at(c) - '0');
    }
    orbit.number = n;
    return n > 0;
  }
  const char survey[4][4] = {"PLS", "T1S", "T2S", "T3S"};
  const char* const surveyName[4] = {" P-L", " T-1", " T-2", " T-3"};
  for (int s = 0; s < 4; ++s) {
    if (line.at(1) == survey[s][0] && line.at(2) == survey[s][1] && line.at(3) == survey[s][2]) {
      int64_t n = 0;
      for (int c = 4; c <= 7; ++c) {
        if (!isDigit(line.at(c))) return false;
        n = n * 10 + (line.at(c) - '0');
      }
      Text text(orbit.provisional, sizeof orbit.provisional);
      text.add(n);
      text.add(surveyName[s]);
      return n > 0;
    }
  }
  return packedProvisional(line, 1, orbit.provisional, true);
}

// The designation in columns 1-12 of a comet's line: number, orbit type, provisional
// designation or fragment.
MpcLineError cometDesignation(const Line& line, MpcOrbit& orbit, int& column) {
  column = 1;
  if (!line.blank(1, 4)) {
    double n;
    if (readNumber(line, 1, 4, n, false) != Read::Value || !(n >= 1.0)) {
      return MpcLineError::BadDesignation;
    }
    orbit.number = static_cast<int32_t>(n);
  }
  const char type = line.at(5);
  if (type != 'C' && type != 'P' && type != 'D' && type != 'X' && type != 'I' && type != 'A') {
    column = 5;
    return MpcLineError::BadOrbitType;
  }
  orbit.orbitType = type;
  column = 6;
  if (line.blank(6, 12)) {
    return orbit.number > 0 ? MpcLineError::None : MpcLineError::BadDesignation;
  }
  if (orbit.number > 0 && line.blank(6, 11)) {  // a numbered comet's fragment
    const char f = line.at(12);
    if (f < 'a' || f > 'z') return MpcLineError::BadDesignation;
    orbit.fragment = f;
    return MpcLineError::None;
  }
  // The seventh character: 0, a fragment's lower-case letter, or a minor planet's second
  // letter (an A/ object's designation).
  const char last = line.at(12);
  const bool letter = last >= 'A' && last <= 'Z';
  if (!letter && last != '0' && !(last >= 'a' && last <= 'z')) {
    return MpcLineError::BadDesignation;
  }
  if (!packedProvisional(line, 6, orbit.provisional, letter)) {
    orbit.provisional[0] = '\0';
    return MpcLineError::BadDesignation;
  }
  if (last >= 'a' && last <= 'z') orbit.fragment = last;
  return MpcLineError::None;
}

// The readable name in columns first to last (or to the line's end), without the blanks around
// it; false for a byte that is not printable ASCII.
bool readName(const Line& line, int first, int last, char name[64]) {
  Text text(name, 64);
  int end = last;
  while (end >= first && line.at(end) == ' ') --end;
  int begin = first;
  while (begin <= end && line.at(begin) == ' ') ++begin;
  for (int c = begin; c <= end; ++c) {
    const unsigned char ch = static_cast<unsigned char>(line.at(c));
    if (ch < 0x20 || ch >= 0x7f) {
      name[0] = '\0';
      return false;
    }
    text.add(static_cast<char>(ch));
  }
  return true;
}

// The state of a read: the first fault found stops it.
struct Reader {
  const Line& line;
  MpcOrbit& orbit;
  MpcLineError error = MpcLineError::None;
  int column = 0;

  bool fail(MpcLineError e, int c) {
    if (error == MpcLineError::None) {
      error = e;
      column = c;
    }
    return false;
  }
  // A required number; false, with its error, when blank or malformed.
  bool number(int first, int last, MpcLineError bad, double& value) {
    if (error != MpcLineError::None) return false;
    const Read read = readNumber(line, first, last, value);
    if (read == Read::Cut) return fail(MpcLineError::TooShort, static_cast<int>(line.length) + 1);
    return read == Read::Value || fail(bad, first);
  }
  // A number that may be blank (NaN then).
  bool optional(int first, int last, MpcLineError bad, double& value) {
    if (error != MpcLineError::None) return false;
    value = NAN;
    const Read read = readNumber(line, first, last, value);
    if (read == Read::Cut) return fail(MpcLineError::TooShort, static_cast<int>(line.length) + 1);
    return read != Read::Bad || fail(bad, first);
  }
  // An angle in degrees within [0, 360), or [0, 180] for an inclination, to rad.
  bool angle(int first, int last, MpcLineError bad, double& value, bool inclination = false) {
    double degrees;
    if (!number(first, last, bad, degrees)) return false;
    if (!(degrees >= 0.0 && (inclination ? degrees <= 180.0 : degrees < 360.0))) {
      return fail(MpcLineError::OutOfRange, first);
    }
    value = degrees * kDegree;
    return true;
  }
};

void fillEmpty(MpcOrbit& orbit, MpcBodyKind kind) {
  orbit.elements = {NAN, NAN, NAN, NAN, NAN, NAN};
  orbit.epochJdTt = orbit.absoluteMagnitude = orbit.slopeParameter = NAN;
  orbit.kind = kind;
  orbit.number = 0;
  orbit.orbitType = orbit.fragment = '\0';
  orbit.provisional[0] = orbit.name[0] = '\0';
  orbit.error = MpcLineError::None;
  orbit.errorColumn = 0;
}

// The start of a read: the record emptied, and the line long enough to hold its last required
// column.
bool begin(Reader& reader, MpcBodyKind kind, size_t lastColumn) {
  fillEmpty(reader.orbit, kind);
  if (reader.line.length >= lastColumn) return true;
  return reader.fail(MpcLineError::TooShort, static_cast<int>(reader.line.length) + 1);
}

bool finish(MpcOrbit& orbit, const Reader& reader) {
  if (reader.error == MpcLineError::None) return true;
  fillEmpty(orbit, orbit.kind);
  orbit.error = reader.error;
  orbit.errorColumn = reader.column;
  return false;
}

}  // namespace

bool parseMpcMinorPlanetLine(MpcOrbit& orbit, std::string_view text) {
  const Line line(text);
  Reader r{line, orbit};
  if (!begin(r, MpcBodyKind::MinorPlanet, 103)) return finish(orbit, r);
  if (!minorPlanetDesignation(line, orbit)) r.fail(MpcLineError::BadDesignation, 1);
  r.optional(9, 13, MpcLineError::BadAbsoluteMagnitude, orbit.absoluteMagnitude);
  r.optional(15, 19, MpcLineError::BadSlopeParameter, orbit.slopeParameter);
  double epoch = NAN;
  if (r.error == MpcLineError::None && (!line.blank(26, 26) || !packedDate(line, 21, epoch))) {
    r.fail(MpcLineError::BadEpoch, 21);
  }
  double m = NAN, omega = NAN, node = NAN, i = NAN, e = NAN, n = NAN, a = NAN;
  r.angle(27, 35, MpcLineError::BadMeanAnomaly, m);
  r.angle(38, 46, MpcLineError::BadArgumentOfPerihelion, omega);
  r.angle(49, 57, MpcLineError::BadAscendingNode, node);
  r.angle(60, 68, MpcLineError::BadInclination, i, true);
  if (r.number(71, 79, MpcLineError::BadEccentricity, e) && !(e >= 0.0 && e < 1.0)) {
    r.fail(MpcLineError::OutOfRange, 71);
  }
  if (r.number(81, 91, MpcLineError::BadMeanMotion, n) && !(n > 0.0)) {
    r.fail(MpcLineError::OutOfRange, 81);
  }
  if (r.number(93, 103, MpcLineError::BadSemiMajorAxis, a) && !(a > 0.0 && a <= 1e6)) {
    r.fail(MpcLineError::OutOfRange, 93);
  }
  if (r.error == MpcLineError::None) {
    // The centre's n is k / a^1.5 in degrees: a line whose two disagree beyond their printed
    // digits has been damaged.
    const double expected = kGaussDegreesPerDay / (a * std::sqrt(a));
    if (std::fabs(n - expected) > 1e-6 * expected + 1e-8) {
      r.fail(MpcLineError::InconsistentMeanMotion, 81);
    } else if (!detail::withinSpan(epoch)) {
      r.fail(MpcLineError::OutsideSpan, 21);
    } else if (!orbitalElementsFromMeanAnomaly(orbit.elements, epoch, m, a, e, i, omega, node)) {
      r.fail(MpcLineError::OutOfRange, 93);
    }
  }
  if (r.error == MpcLineError::None && !readName(line, 167, 194, orbit.name)) {
    r.fail(MpcLineError::BadName, 167);
  }
  orbit.epochJdTt = epoch;
  return finish(orbit, r);
}

bool parseMpcCometLine(MpcOrbit& orbit, std::string_view text) {
  const Line line(text);
  Reader r{line, orbit};
  if (!begin(r, MpcBodyKind::Comet, 79)) return finish(orbit, r);
  int column;
  const MpcLineError designation = cometDesignation(line, orbit, column);
  if (designation != MpcLineError::None) r.fail(designation, column);
  // The perihelion passage: year, month and day with its fraction, each in its own columns.
  double year, month, day, perihelion = NAN;
  if (r.error == MpcLineError::None) {
    const bool read = readNumber(line, 15, 18, year, false) == Read::Value &&
                      readNumber(line, 20, 21, month, false) == Read::Value &&
                      readNumber(line, 23, 29, day) == Read::Value && day >= 1.0 &&
                      dateJd(static_cast<int64_t>(year), static_cast<int>(month),
                             static_cast<int>(std::floor(day)), perihelion);
    if (!read) {
      r.fail(MpcLineError::BadPerihelionDate, 15);
    } else {
      perihelion += day - std::floor(day);
    }
  }
  double q = NAN, e = NAN, omega = NAN, node = NAN, i = NAN;
  if (r.number(31, 39, MpcLineError::BadPerihelionDistance, q) && !(q > 0.0)) {
    r.fail(MpcLineError::OutOfRange, 31);
  }
  if (r.number(42, 49, MpcLineError::BadEccentricity, e) && !(e >= 0.0 && e <= 100.0)) {
    r.fail(MpcLineError::OutOfRange, 42);
  }
  r.angle(52, 59, MpcLineError::BadArgumentOfPerihelion, omega);
  r.angle(62, 69, MpcLineError::BadAscendingNode, node);
  r.angle(72, 79, MpcLineError::BadInclination, i, true);
  // The epoch, eight digits or blank.
  double epoch = NAN;
  if (r.error == MpcLineError::None && line.length < 89 && !line.blank(82, 89)) {
    r.fail(MpcLineError::TooShort, static_cast<int>(line.length) + 1);  // its day cut off
  } else if (r.error == MpcLineError::None && !line.blank(82, 89)) {
    bool digits = true;
    int32_t value[3] = {0, 0, 0};
    for (int c = 82; c <= 89; ++c) {
      digits = digits && isDigit(line.at(c));
      int32_t& part = value[c < 86 ? 0 : c < 88 ? 1 : 2];
      part = part * 10 + (line.at(c) - '0');
    }
    if (!digits || !dateJd(value[0], value[1], value[2], epoch)) {
      r.fail(MpcLineError::BadEpoch, 82);
    }
  }
  r.optional(92, 95, MpcLineError::BadAbsoluteMagnitude, orbit.absoluteMagnitude);
  r.optional(97, 100, MpcLineError::BadSlopeParameter, orbit.slopeParameter);
  if (r.error == MpcLineError::None) {
    if (!detail::withinSpan(perihelion)) {
      r.fail(MpcLineError::OutsideSpan, 15);
    } else if (!std::isnan(epoch) && !detail::withinSpan(epoch)) {
      r.fail(MpcLineError::OutsideSpan, 82);
    }
  }
  if (r.error == MpcLineError::None && !readName(line, 103, 158, orbit.name)) {
    r.fail(MpcLineError::BadName, 103);
  }
  orbit.elements = {perihelion, q, e, i, omega, node};
  orbit.epochJdTt = epoch;
  return finish(orbit, r);
}

std::string_view mpcLineErrorName(MpcLineError error) {
  switch (error) {
    case MpcLineError::None: return "no error";
    case MpcLineError::TooShort: return "too short";
    case MpcLineError::BadDesignation: return "bad designation";
    case MpcLineError::BadOrbitType: return "bad orbit type";
    case MpcLineError::BadAbsoluteMagnitude: return "bad absolute magnitude";
    case MpcLineError::BadSlopeParameter: return "bad slope parameter";
    case MpcLineError::BadEpoch: return "bad epoch";
    case MpcLineError::BadMeanAnomaly: return "bad mean anomaly";
    case MpcLineError::BadArgumentOfPerihelion: return "bad argument of perihelion";
    case MpcLineError::BadAscendingNode: return "bad longitude of the ascending node";
    case MpcLineError::BadInclination: return "bad inclination";
    case MpcLineError::BadEccentricity: return "bad eccentricity";
    case MpcLineError::BadMeanMotion: return "bad mean daily motion";
    case MpcLineError::BadSemiMajorAxis: return "bad semi-major axis";
    case MpcLineError::BadPerihelionDate: return "bad perihelion date";
    case MpcLineError::BadPerihelionDistance: return "bad perihelion distance";
    case MpcLineError::BadName: return "bad name";
    case MpcLineError::OutOfRange: return "value out of range";
    case MpcLineError::InconsistentMeanMotion: return "mean daily motion disagrees with a";
    case MpcLineError::OutsideSpan: return "date outside the library's span";
  }
  return "unknown error";
}

}  // namespace dockorrery
