// How far the abridged tables stray from the full VSOP87D series over 1800-2200: the largest
// differences in L and B (arcseconds) and R (AU) per planet, printed as a markdown table.
//
// Usage: series_accuracy [VSOP87D_DIR [STEP_DAYS]]
// The full series are read from the published files and summed the same way as the tables
// (A cos(B + C tau), powers of tau, unrounded coefficients), at one date every STEP_DAYS.
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "ephemeris/position.h"
#include "ephemeris/series.h"

namespace {

constexpr const char* kNames[8] = {"Mercury", "Venus",  "Earth",  "Mars",
                                   "Jupiter", "Saturn", "Uranus", "Neptune"};
constexpr const char* kSuffixes[8] = {"mer", "ven", "ear", "mar", "jup", "sat", "ura", "nep"};
constexpr double kFirstJd = 2378497.0;  // 1800 January 1, 12:00
constexpr double kLastJd = 2524594.0;   // 2200 January 1, 12:00
constexpr double kArcsecondsPerRadian = 180.0 * 3600.0 / M_PI;

struct Term {
  double A, B, C;
};

// series[coordinate][power], in file order.
struct FullTheory {
  std::vector<Term> series[3][6];
  int count = 0;
};

bool readTheory(const std::string& path, FullTheory& theory) {
  FILE* file = std::fopen(path.c_str(), "r");
  if (!file) return false;
  char line[256];
  std::vector<Term>* current = nullptr;
  while (std::fgets(line, sizeof line, file)) {
    if (const char* header = std::strstr(line, "VARIABLE ")) {
      const int coordinate = header[9] - '1';
      const char* power = std::strstr(line, "*T**");
      if (coordinate < 0 || coordinate > 2 || !power || power[4] < '0' || power[4] > '5') {
        std::fclose(file);
        return false;
      }
      current = &theory.series[coordinate][power[4] - '0'];
      continue;
    }
    // The last three fields of a term line are the amplitude, phase and frequency.
    std::vector<double> fields;
    for (char* token = std::strtok(line, " \n"); token; token = std::strtok(nullptr, " \n")) {
      fields.push_back(std::strtod(token, nullptr));
    }
    if (!current || fields.size() < 5) continue;
    const size_t n = fields.size();
    current->push_back({fields[n - 3], fields[n - 2], fields[n - 1]});
    ++theory.count;
  }
  std::fclose(file);
  return true;
}

double evaluate(const FullTheory& theory, int coordinate, double tau) {
  double v = 0.0, power = 1.0;
  for (const std::vector<Term>& terms : theory.series[coordinate]) {
    double sum = 0.0;
    for (const Term& t : terms) sum += t.A * std::cos(t.B + t.C * tau);
    v += sum * power;
    power *= tau;
  }
  return v;
}

struct Worst {
  double L = 0.0, B = 0.0, R = 0.0;  // arcsec, arcsec, AU
  double jdL = 0.0;
};

void compare(int body, const FullTheory& theory, double step, Worst& worst) {
  for (double jd = kFirstJd; jd <= kLastJd; jd += step) {
    const double T = (jd - 2451545.0) / 36525.0;
    const double tau = T / 10.0;
    BodyPosition ours;
    computeBodyPosition(ours, body, jd);
    // Longitudes differ by a small angle; fold the difference into (-pi, pi].
    const double dL = std::remainder(ours.L - evaluate(theory, 0, tau), 2 * M_PI);
    const double dB = ours.B - evaluate(theory, 1, tau);
    const double dR = ours.R - evaluate(theory, 2, tau);
    if (std::fabs(dL) * kArcsecondsPerRadian > worst.L) {
      worst.L = std::fabs(dL) * kArcsecondsPerRadian;
      worst.jdL = jd;
    }
    worst.B = std::fmax(worst.B, std::fabs(dB) * kArcsecondsPerRadian);
    worst.R = std::fmax(worst.R, std::fabs(dR));
  }
}

}  // namespace

int main(int argc, char** argv) {
  const std::string dir = argc > 1 ? argv[1] : VSOP87D_DIR;
  const double step = argc > 2 ? std::atof(argv[2]) : 3.7;
  if (!(step > 0.0)) {
    std::fprintf(stderr, "usage: %s [VSOP87D_DIR [STEP_DAYS]]\n", argv[0]);
    return 2;
  }

  static FullTheory theories[8];
  for (int p = 0; p < 8; ++p) {
    const std::string path = dir + "/VSOP87D." + kSuffixes[p];
    if (!readTheory(path, theories[p])) {
      std::fprintf(stderr, "%s: can't read %s\n", argv[0], path.c_str());
      return 1;
    }
  }

  Worst worst[8];
  std::vector<std::thread> workers;
  for (int p = 0; p < 8; ++p) {
    workers.emplace_back(compare, p + 1, std::cref(theories[p]), step, std::ref(worst[p]));
  }
  for (std::thread& worker : workers) worker.join();

  std::printf("Abridged tables against the full VSOP87D series, 1800-2200, one date every %g days:\n\n",
              step);
  std::printf("| planet | terms kept | terms published | largest dL (\") | largest dB (\") | largest dR (AU) |\n");
  std::printf("|---|---|---|---|---|---|\n");
  for (int p = 0; p < 8; ++p) {
    int kept = 0;
    for (const Series& series : kPlanetTheories[p].series) kept += series.count;
    std::printf("| %s | %d | %d | %.2f | %.2f | %.1e |\n", kNames[p], kept, theories[p].count,
                worst[p].L, worst[p].B, worst[p].R);
  }
  return 0;
}
