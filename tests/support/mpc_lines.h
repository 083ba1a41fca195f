// Real lines of the Minor Planet Center's MPCORB.DAT and CometEls.txt, copied from the centre's
// files of 2024 to 2026 as other projects' tests quote them, each with what it is here for and
// what it holds: the readers' test reads them, the magnitudes' test takes the orbits of Ceres and
// Halley from them.
#pragma once

#include <cmath>
#include <cstdint>

namespace mpc_lines {

// Real lines of MPCORB.DAT (Ceres and Eros from the full file, the rest from its Distant.txt and
// NEA.txt extracts): what each is here for, and what it holds.
struct MinorPlanetLine {
  const char* line;
  int32_t number;
  const char* provisional;
  const char* name;
  double h, g, epochJd, m, omega, node, i, e, a;
};
inline const MinorPlanetLine kMinorPlanets[] = {
    // (1) Ceres, epoch 2025 May 5.
    {"00001    3.34  0.15 K2555 188.70269   73.27343   80.25221   10.58780  0.0794013  "
     "0.21424651   2.7660512  0 E2024-V47  7330 125 1801-2024 0.80 M-v 30k MPCLINUX   4000      "
     "(1) Ceres              20241101",
     1, "", "(1) Ceres", 3.34, 0.15, 2460800.5, 188.70269, 73.27343, 80.25221, 10.58780, 0.0794013,
     2.7660512},
    // (433) Eros, epoch 2026 June 9.
    {"00433   10.39  0.15 K2669  62.51145  178.91814  304.26797   10.82855  0.2228780  "
     "0.55970463   1.4582437  0 E2026-S80 18063  59 1893-2026 0.61 M-v 3Ek MPCORBFIT  1804    "
     "(433) Eros               20260919",
     433, "", "(433) Eros", 10.39, 0.15, 2461200.5, 62.51145, 178.91814, 304.26797, 10.82855,
     0.2228780, 1.4582437},
    // 2004 PC112: no H and no G; cycle count B2 (112) and a letter day (23).
    {"K04PB2C             K048N   0.03358  277.30161   69.53412    2.35778  0.0417836  "
     "0.00333727  44.3481040  E MPO 70391     4   1   29 days 0.23         MPCM       200A          "
     "2004 PC112         20040911",
     0, "2004 PC112", "2004 PC112", NAN, NAN, 2453240.5, 0.03358, 277.30161, 69.53412, 2.35778,
     0.0417836, 44.3481040},
    // (620057) 2005 CG81: a number beyond 619999, ~ and four base-62 digits.
    {"~000v    6.39  0.15 K2669 345.61933   56.19354  134.59964   26.11425  0.2400784  "
     "0.00247747  54.0916422  4 MPO733961    93  13 2005-2023 0.19 M-v 3Ek Pan        000A "
     "(620057) 2005 CG81          20230318",
     620057, "", "(620057) 2005 CG81", 6.39, 0.15, 2461200.5, 345.61933, 56.19354, 134.59964,
     26.11425, 0.2400784, 54.0916422},
    // 1994 TG: century J, an eccentricity of exactly 0, H with one decimal.
    {"J94T00G  7.0   0.15 J949P   0.00000  353.02318   15.50983    6.76386  0.0000000  "
     "0.00358836  42.2543833  E MPC 24084     8   1    3 days              Marsden    200A          "
     "1994 TG            19941006",
     0, "1994 TG", "1994 TG", 7.0, 0.15, 2449620.5, 0.0, 353.02318, 15.50983, 6.76386, 0.0,
     42.2543833},
};

// Real lines of CometEls.txt: what each is here for, and what it holds. The perihelion's Julian
// Day is the calendar's, worked out apart from the parser.
struct CometLine {
  const char* line;
  int32_t number;
  char type, fragment;
  const char* provisional;
  const char* name;
  double perihelionJd, q, e, omega, node, i, epochJd, g, k;
};
inline const CometLine kComets[] = {
    // C/1995 O1 (Hale-Bopp): a long-period comet, a negative g.
    {"    CJ95O010  1997 03 29.0319  0.925246  0.994897  130.7250  281.8047   89.7360  20260922  "
     "-2.0  4.0  C/1995 O1 (Hale-Bopp)                                    MPC194091",
     0, 'C', 0, "1995 O1", "C/1995 O1 (Hale-Bopp)", 2450536.5319, 0.925246, 0.994897, 130.7250,
     281.8047, 89.7360, 2461305.5, -2.0, 4.0},
    // C/2023 A3 (Tsuchinshan-ATLAS): a hyperbola.
    {"    CK23A030  2024 09 27.8264  0.391333  1.000178  308.5800   21.6698  139.1001  20260922  "
     " 6.5  3.2  C/2023 A3 (Tsuchinshan-ATLAS)                            MPEC 2026-O98",
     0, 'C', 0, "2023 A3", "C/2023 A3 (Tsuchinshan-ATLAS)", 2460581.3264, 0.391333, 1.000178,
     308.5800, 21.6698, 139.1001, 2461305.5, 6.5, 3.2},
    // C/2014 R3 (PANSTARRS): a parabola, e = 1 exactly.
    {"    CK14R030  2016 08  8.3994  7.266681  1.000000  113.3732  333.9781   90.7547  20260922  "
     " 6.5  4.0  C/2014 R3 (PANSTARRS)                                    MPC194139",
     0, 'C', 0, "2014 R3", "C/2014 R3 (PANSTARRS)", 2457608.8994, 7.266681, 1.0, 113.3732,
     333.9781, 90.7547, 2461305.5, 6.5, 4.0},
    // 1P/Halley: numbered, no provisional designation.
    {"0001P         2061 08  2.3518  0.571051  0.968024  112.1785   59.2781  162.1895  20260922  "
     " 5.5  3.2  1P/Halley                                                MPC191592",
     1, 'P', 0, "", "1P/Halley", 2474038.8518, 0.571051, 0.968024, 112.1785, 59.2781, 162.1895,
     2461305.5, 5.5, 3.2},
    // 3D-A/Biela: a fragment's letter alone in column 12.
    {"0003D      a  2024 12  2.1391  0.827575  0.767046  192.1556  276.6851    7.2142  20260922  "
     "11.0  6.0  3D-A/Biela                                                76, 1135",
     3, 'D', 'a', "", "3D-A/Biela", 2460646.6391, 0.827575, 0.767046, 192.1556, 276.6851, 7.2142,
     2461305.5, 11.0, 6.0},
    // 332P-B/Ikeya-Murakami: no epoch.
    {"0332P      b  2016 03 17.1650  1.572891  0.489707  152.3711    3.8028    9.3805            "
     "19.0  4.0  332P-B/Ikeya-Murakami                                    MPEC 2016-EI8",
     332, 'P', 'b', "", "332P-B/Ikeya-Murakami", 2457464.6650, 1.572891, 0.489707, 152.3711,
     3.8028, 9.3805, NAN, 19.0, 4.0},
    // C/2014 UN271 (Bernardinelli-Bernstein): a minor planet's form of designation (cycle R1,
    // 271, second letter N) and q filling its nine columns.
    {"    CK14UR1N  2031 01 16.6358 10.959407  1.004072  326.0935  190.0054   95.4459  20260922  "
     " 2.5  3.2  C/2014 UN271 (Bernardinelli-Bernstein)                   MPEC 2026-RA1",
     0, 'C', 0, "2014 UN271", "C/2014 UN271 (Bernardinelli-Bernstein)", 2462883.1358, 10.959407,
     1.004072, 326.0935, 190.0054, 95.4459, 2461305.5, 2.5, 3.2},
    // 1I/`Oumuamua: interstellar, a backtick in its name.
    {"0001I         2017 09  9.4886  0.255240  1.199252  241.6845   24.5997  122.6778  20170904  "
     "23.0  2.0  1I/`Oumuamua                                             MPC107687",
     1, 'I', 0, "", "1I/`Oumuamua", 2458005.9886, 0.255240, 1.199252, 241.6845, 24.5997, 122.6778,
     2458000.5, 23.0, 2.0},
};

}  // namespace mpc_lines
