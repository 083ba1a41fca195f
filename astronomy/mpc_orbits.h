// The Minor Planet Center's one-line orbits: a numbered or provisional minor planet's line of
// MPCORB.DAT and a comet's line of CometEls.txt, read into the library's elements with their
// designations and magnitude parameters.
#pragma once

#include <cstdint>
#include <string_view>

#include "orbits.h"

namespace dockorrery {

// What is wrong with a line that is not read. Each field's own error names the field whose
// columns hold something that is no value of its kind (letters in a number, two numbers, a
// blank where one is required, a packed designation or date that does not decode).
enum class MpcLineError : int32_t {
  None = 0,
  TooShort,                 // the line ends before the last column it must hold
  BadDesignation,           // packed number or provisional designation; a comet's number
  BadOrbitType,             // a comet's orbit type, not one of C, P, D, X, I, A
  BadAbsoluteMagnitude,     // H, or a comet's g
  BadSlopeParameter,        // G, or a comet's k
  BadEpoch,                 // the packed epoch, or a comet's YYYYMMDD: no date
  BadMeanAnomaly,
  BadArgumentOfPerihelion,
  BadAscendingNode,
  BadInclination,
  BadEccentricity,
  BadMeanMotion,
  BadSemiMajorAxis,
  BadPerihelionDate,        // a comet's year, month and day of perihelion: no date
  BadPerihelionDistance,
  BadName,                  // a byte that is not printable ASCII in the name's columns
  OutOfRange,               // a value well formed but outside its range: an angle outside
                            // [0, 360) degrees (i outside [0, 180]), e negative, at or above 1
                            // for a minor planet or above 100, a or q not positive
  InconsistentMeanMotion,   // the mean daily motion is not the semi-major axis' by Gauss' law
  OutsideSpan,              // a date outside the library's span (kFirstJd to kEndJd)
};

// The kind of body a line describes.
enum class MpcBodyKind : int32_t { MinorPlanet = 0, Comet = 1 };

// One line of the Minor Planet Center's orbits, read.
struct MpcOrbit {
  OrbitalElements elements;   // ecliptic and equinox of J2000.0, rad, AU, TT
  double epochJdTt;           // the osculation epoch, Julian Day (TT); NaN for a comet's line
                              // without one
  double absoluteMagnitude;   // H of a minor planet, g of a comet; NaN when blank
  double slopeParameter;      // G of a minor planet; k of a comet, in the centre's convention
                              // (its law takes 2.5 k); NaN when blank
  MpcBodyKind kind;
  int32_t number;             // the minor planet's or periodic comet's number; 0 when none
  char orbitType;             // a comet's C, P, D, X, I or A; '\0' for a minor planet
  char fragment;              // a comet fragment's letter, 'a' to 'z'; '\0' when none
  char provisional[16];       // the provisional designation unpacked ("1995 XL1", "2040 P-L",
                              // "1995 O1"); empty when the line has none
  char name[64];              // the line's readable designation and name ("(1) Ceres",
                              // "1P/Halley"), without the blanks around it; empty when the line
                              // ends before it
  MpcLineError error;         // None when read
  int32_t errorColumn;        // the first column (from 1) of the field at fault; 0 when read
};

// A minor planet's orbit from its line of MPCORB.DAT (the export format for minor-planet
// orbits).
//   Given:    line    the line's bytes, which need not end in a NUL and are not read past their
//                     length; a final line feed or carriage return is left out
//   Returned: orbit   the elements (perihelion time and distance from the epoch, M and a), the
//                     epoch, H and G, the number or provisional designation unpacked, the
//                     readable designation; error None
//             (bool)  false where the line is not read: its error and the column of the field
//                     at fault, every number NaN, number 0 and every text empty
//   Span:     every packed epoch (years 1000 to 2199) lies within the library's span
//   Accuracy: The values as printed; the mean daily motion is checked against a by Gauss' law
//             to 1e-6 of itself (plus its last digit) and not used.
//   Notes:    Columns (from 1): 1-7 the number or provisional designation, packed; 9-13 H;
//             15-19 G; 21-25 the epoch, packed, 0h TT; 27-35 M; 38-46 omega; 49-57 Omega;
//             60-68 i (degrees, ecliptic and equinox of J2000.0); 71-79 e; 81-91 the mean
//             daily motion (degrees a day); 93-103 a (AU); 167-194 the readable designation.
//             The line must reach column 103, and a number the line's end cuts is TooShort;
//             the other columns (the uncertainty, reference, observations and flags) are not
//             read. H and G may be blank. A designation that does not decode is BadDesignation
//             at column 1; an epoch that does not decode, a date the calendar has not or a
//             character in column 26 is BadEpoch at column 21. A packed number is
//             five characters (A-Z and a-z for 10 to 61 ten-thousands; ~ and four base-62
//             digits beyond 619999); a packed provisional designation is seven (century letter,
//             year, half-month, cycle count, second letter), or a survey's (PLS, T1S, T2S,
//             T3S). Dates are of the Gregorian calendar.
//   Source:   Minor Planet Center, "Export Format for Minor-Planet Orbits" and "Packed
//             Provisional and Permanent Designations".
[[nodiscard]] bool parseMpcMinorPlanetLine(MpcOrbit& orbit, std::string_view line);

// A comet's orbit from its line of CometEls.txt (the one-line comet elements of the Minor
// Planet Center's "Ephemerides and Orbital Elements" format).
//   Given:    line    the line's bytes, which need not end in a NUL and are not read past their
//                     length; a final line feed or carriage return is left out
//   Returned: orbit   the elements, the epoch (NaN when blank), g and k, the periodic number,
//                     orbit type and fragment, the provisional designation unpacked, the
//                     designation and name; error None
//             (bool)  false where the line is not read: its error and the column of the field
//                     at fault, every number NaN, number 0 and every text empty
//   Span:     perihelion passages and epochs from kFirstJd up to kEndJd (TT); another is
//             OutsideSpan
//   Accuracy: The values as printed.
//   Notes:    Columns (from 1): 1-4 the periodic comet number; 5 the orbit type; 6-12 the
//             provisional designation, packed; 15-18, 20-21 and 23-29 the year, month and day
//             (with its fraction, TT) of the perihelion passage; 31-39 q (AU); 42-49 e; 52-59
//             omega; 62-69 Omega; 72-79 i (degrees, ecliptic and equinox of J2000.0); 82-89 the
//             epoch, YYYYMMDD, 0h TT; 92-95 g; 97-100 k; 103-158 the designation and name. The
//             line must reach column 79; the epoch, g, k and the name may be blank or left out,
//             but a number the line's end cuts is TooShort.
//             Either the number or the provisional designation must be there; a numbered
//             comet's fragment is a lower-case letter in column 12. Dates are of the Gregorian
//             calendar. The column of an error: a number that does not read, BadDesignation at
//             1; an orbit type, BadOrbitType at 5; neither a number nor a provisional
//             designation (columns 1-4 and 6-12 blank), or a provisional designation or
//             fragment that does not decode, BadDesignation at 6; a perihelion date whose
//             year, month or day is not a number, or that the calendar has not (a day below 1,
//             February 30), BadPerihelionDate at 15, its first column, whichever part is wrong,
//             and OutsideSpan at 15 beyond the span; an epoch that is not eight digits or not a
//             date, BadEpoch at 82, and OutsideSpan at 82.
//   Source:   Minor Planet Center, "Export Format for Comet Orbits" and "Packed Provisional and
//             Permanent Designations".
[[nodiscard]] bool parseMpcCometLine(MpcOrbit& orbit, std::string_view line);

// The name of a line's error, for messages.
//   Given:    error               an MpcLineError
//   Returned: (std::string_view)  a short phrase of static storage ("too short", "bad
//                                 eccentricity", ...); "unknown error" for a value outside
//                                 the enumeration
std::string_view mpcLineErrorName(MpcLineError error);

}  // namespace dockorrery
