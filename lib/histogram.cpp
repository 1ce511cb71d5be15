// Histograms: counting values into equal bins (BINS), drawing them (HIST) and the one-call
// histogram diagram (HISTD).
//
// The automatic bin width needs the quartiles, found without copying the data: a radix select
// over the values' bit patterns, 16 bits a pass, for the four order statistics at once.
#include <algorithm>
#include <cfloat>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "area.h"
#include "axis_scale.h"
#include "diagr.h"
#include "diagram_state.h"
#include "occupancy.h"
#include "plotter.h"

namespace {

// Bins HIST and HISTD count into.
constexpr int MAX_HIST_BINS = 1000;
float hist_counts[MAX_HIST_BINS];

// Bins counted in exact integers before they are written as reals; more are counted in the reals.
constexpr int EXACT_BINS = 4096;
std::uint32_t exact_counts[EXACT_BINS];

// Bars of a histogram filled as one polygon.
constexpr int FILL_CHUNK = (diagr::area::MAX_POLYGON - 2) / 2;

// The values BINS looks at: finite ones, within the range when one is given.
struct Selection {
    bool ranged = false;
    float low = 0.0F;
    float high = 0.0F;
    bool operator()(float v) const { return std::isfinite(v) && (!ranged || (low <= v && v <= high)); }
};

// Order-preserving key of a float's bit pattern.
std::uint32_t key_of(float v) {
    std::uint32_t u = 0;
    std::memcpy(&u, &v, sizeof u);
    return (u & 0x80000000U) != 0 ? ~u : (u | 0x80000000U);
}

float value_of(std::uint32_t key) {
    const std::uint32_t u = (key & 0x80000000U) != 0 ? (key & 0x7FFFFFFFU) : ~key;
    float v = 0.0F;
    std::memcpy(&v, &u, sizeof v);
    return v;
}

struct Summary {
    long n = 0;
    float min = 0.0F;
    float max = 0.0F;
    double iqr = 0.0;
};

constexpr int RANKS = 4;
// The key's bits found by each of the two passes of the radix select.
constexpr int HALF_BITS = 16;

// Finds N (the selected values), their extremes and, when WANT_IQR, the interquartile range
// with linear interpolation between order statistics at q (n - 1).
Summary summarise(const float* data, int n, const Selection& selected, bool want_iqr) {
    static std::uint32_t top[1 << HALF_BITS];
    static std::uint32_t bottom[RANKS][1 << HALF_BITS];
    Summary s;
    std::fill(std::begin(top), std::end(top), 0U);
    float lo = FLT_MAX;
    float hi = -FLT_MAX;
    for (int i = 0; i < n; ++i) {
        const float v = data[i];
        if (selected(v)) {
            ++s.n;
            lo = std::min(lo, v);
            hi = std::max(hi, v);
            ++top[key_of(v) >> HALF_BITS];
        }
    }
    s.min = lo;
    s.max = hi;
    if (s.n < 2 || !want_iqr) {
        return s;
    }
    const double last = static_cast<double>(s.n - 1);
    const double p25 = 0.25 * last;
    const double p75 = 0.75 * last;
    const long r25 = static_cast<long>(std::floor(p25));
    const long r75 = static_cast<long>(std::floor(p75));
    long rank[RANKS] = {r25, std::min(r25 + 1, s.n - 1), r75, std::min(r75 + 1, s.n - 1)};
    std::uint32_t prefix[RANKS] = {};
    // Each pass narrows every rank to the bucket holding it and its rank within that bucket.
    const auto narrow = [&](const std::uint32_t* counts, int buckets, int t, int shift) {
        long seen = 0;
        for (int b = 0; b < buckets; ++b) {
            if (rank[t] < seen + static_cast<long>(counts[b])) {
                rank[t] -= seen;
                prefix[t] = (prefix[t] << shift) | static_cast<std::uint32_t>(b);
                return;
            }
            seen += counts[b];
        }
    };
    for (int t = 0; t < RANKS; ++t) {
        narrow(top, 1 << HALF_BITS, t, HALF_BITS);
    }
    // The next BITS of each rank's key, below the HEAD_SHIFT bits already known.
    const auto next_pass = [&](auto& rows, int head_shift, int bits) {
        const std::uint32_t mask = (1U << bits) - 1U;
        // One histogram per distinct prefix: neighbouring ranks mostly share theirs.
        int owner[RANKS] = {};
        int distinct = 0;
        std::uint32_t wanted[RANKS] = {};
        for (int t = 0; t < RANKS; ++t) {
            int d = 0;
            while (d < distinct && wanted[d] != prefix[t]) {
                ++d;
            }
            if (d == distinct) {
                wanted[distinct++] = prefix[t];
            }
            owner[t] = d;
        }
        for (auto& row : rows) {
            std::fill(std::begin(row), std::end(row), 0U);
        }
        for (int i = 0; i < n; ++i) {
            const float v = data[i];
            if (selected(v)) {
                const std::uint32_t key = key_of(v);
                const std::uint32_t head = key >> head_shift;
                for (int d = 0; d < distinct; ++d) {
                    if (head == wanted[d]) {
                        ++rows[d][(key >> (head_shift - bits)) & mask];
                        break;
                    }
                }
            }
        }
        for (int t = 0; t < RANKS; ++t) {
            narrow(rows[owner[t]], 1 << bits, t, bits);
        }
    };
    next_pass(bottom, HALF_BITS, HALF_BITS);
    const auto at = [&](int t) { return static_cast<double>(value_of(prefix[t])); };
    const double q25 = at(0) + (p25 - static_cast<double>(r25)) * (at(1) - at(0));
    const double q75 = at(2) + (p75 - static_cast<double>(r75)) * (at(3) - at(2));
    s.iqr = q75 - q25;
    return s;
}

// The bin width from the spread of the data: Freedman-Diaconis held between half the square-root
// rule and Sturges' rule.
double automatic_width(const Summary& s) {
    const double n = static_cast<double>(s.n);
    const double range = static_cast<double>(s.max) - static_cast<double>(s.min);
    const double fd = 2.0 * s.iqr * std::cbrt(1.0 / n);
    const double root = range / std::sqrt(n);
    const double sturges = range / (std::log2(n) + 1.0);
    return std::min(std::max(fd, root / 2.0), sturges);
}

// The nice width (1, 2, 2.5 or 5 times a power of ten) nearest to WIDTH in ratio; with ABOVE the
// smallest one above WIDTH instead.
double nice_width(double width, bool above) {
    static const double multiples[] = {1.0, 2.0, 2.5, 5.0, 10.0};
    const double power = std::pow(10.0, std::floor(std::log10(width)));
    const double m = width / power;
    double best = multiples[0];
    for (const double c : multiples) {
        if (above) {
            if (c > m * (1.0 + 1e-12)) {
                return c * power;
            }
        } else if (std::fabs(std::log(m / c)) < std::fabs(std::log(m / best))) {
            best = c;
        }
    }
    return above ? 10.0 * power : best * power;
}

// Edges on multiples of WIDTH around MIN..MAX and the bins between them.
double nice_bins(double width, float min, float max, double& left, double& right) {
    left = std::floor(static_cast<double>(min) / width) * width;
    right = std::ceil(static_cast<double>(max) / width) * width;
    return std::max(1.0, std::round((right - left) / width));
}

const char* plural(long count, const char* one, const char* many) { return count == 1 ? one : many; }

// BINS' work, its reports naming ROUTINE.
void count_bins(const char* routine, const float* DATA, int N, int& NBIN, float& XMIN, float& XMAX, float* COUNTS,
                int MAXBIN) {
    if (COUNTS == nullptr || MAXBIN <= 0) {
        std::fprintf(stderr, "%s: no room for counts (MAXBIN %d); nothing counted\n", routine, MAXBIN);
        std::fflush(stderr);
        NBIN = 0;
        return;
    }
    const int n = DATA != nullptr && N > 0 ? N : 0;
    Selection selected;
    bool ranged = XMIN != XMAX;
    if (ranged && !(std::isfinite(XMIN) && std::isfinite(XMAX) && XMIN < XMAX)) {
        std::fprintf(stderr, "%s: the range %g to %g is not usable; the data's range is taken\n", routine,
                     static_cast<double>(XMIN), static_cast<double>(XMAX));
        ranged = false;
    }
    selected.ranged = ranged;
    selected.low = XMIN;
    selected.high = XMAX;
    int nbin = NBIN;
    if (nbin > MAXBIN) {
        std::fprintf(stderr, "%s: %d bins asked for but there is room for %d; %d bins counted\n", routine, nbin, MAXBIN,
                     MAXBIN);
        nbin = MAXBIN;
    }
    const Summary s = ranged && nbin > 0 ? Summary{} : summarise(DATA, n, selected, nbin <= 0);
    double left = XMIN;
    double right = XMAX;
    if (!ranged) {
        if (s.n == 0) {
            std::fprintf(stderr, "%s: no finite value to count; no bins\n", routine);
            std::fflush(stderr);
            NBIN = 0;
            return;
        }
        if (s.min == s.max) {
            const double half = std::max(0.5, std::fabs(static_cast<double>(s.min)) * 1e-6);
            left = s.min - half;
            right = s.max + half;
            nbin = 1;
        } else if (nbin > 0) {
            left = s.min;
            right = s.max;
        } else {
            const double wanted = nice_width(automatic_width(s), false);
            double width = wanted;
            double bins = nice_bins(width, s.min, s.max, left, right);
            // Counted, so that a width too fine for the range's magnitude cannot keep it going.
            for (int k = 0; k < 400 && bins > static_cast<double>(MAXBIN); ++k) {
                width = nice_width(width, true);
                bins = nice_bins(width, s.min, s.max, left, right);
            }
            if (width != wanted) {
                std::fprintf(stderr, "%s: there is room for %d bins; bins %g wide instead of %g\n", routine, MAXBIN,
                             width, wanted);
            }
            nbin = static_cast<int>(std::min(bins, static_cast<double>(MAXBIN)));
        }
    } else if (nbin <= 0) {
        const double width = s.n >= 2 && s.min < s.max ? automatic_width(s) : 0.0;
        const double bins = width > 0.0 ? std::ceil((right - left) / width) : 1.0;
        nbin = static_cast<int>(std::clamp(bins, 1.0, static_cast<double>(MAXBIN)));
    }
    // Edges beyond the float range are held to it, and edges a float cannot tell apart moved apart.
    float left_edge = static_cast<float>(std::clamp(left, static_cast<double>(-FLT_MAX), static_cast<double>(FLT_MAX)));
    float right_edge =
        static_cast<float>(std::clamp(right, static_cast<double>(-FLT_MAX), static_cast<double>(FLT_MAX)));
    if (!(left_edge < right_edge)) {
        left_edge = std::nextafter(left_edge, -FLT_MAX);
        right_edge = std::nextafter(right_edge, FLT_MAX);
    }
    NBIN = nbin;
    XMIN = left_edge;
    XMAX = right_edge;

    const double low = XMIN;
    const double high = XMAX;
    const double width = (high - low) / nbin;
    const bool exact = nbin <= EXACT_BINS;
    if (exact) {
        std::fill(exact_counts, exact_counts + nbin, 0U);
    } else {
        std::fill(COUNTS, COUNTS + nbin, 0.0F);
    }
    long outside = 0;
    long not_finite = 0;
    const double scale = nbin / (high - low);
    const float low_value = XMIN;
    const float high_value = XMAX;
    for (int i = 0; i < n; ++i) {
        const float value = DATA[i];
        if (!(low_value <= value && value <= high_value)) {
            ++(std::isfinite(value) ? outside : not_finite);
            continue;
        }
        const double v = value;
        // V is at least XMIN here: the product is not negative and truncation is its floor.
        long index = static_cast<long>((v - low) * scale);
        // Rounding may put a value one bin off: the edges decide.
        if (index >= nbin) {
            index = nbin - 1;
        } else if (index > 0 && v < low + static_cast<double>(index) * width) {
            --index;
        } else if (index + 1 < nbin && v >= low + static_cast<double>(index + 1) * width) {
            ++index;
        }
        const int k = static_cast<int>(index);
        if (exact) {
            ++exact_counts[k];
        } else {
            COUNTS[k] += 1.0F;
        }
    }
    if (exact) {
        for (int k = 0; k < nbin; ++k) {
            COUNTS[k] = static_cast<float>(exact_counts[k]);
        }
    }
    if (outside > 0 || not_finite > 0) {
        char first[96] = "";
        char second[64] = "";
        if (outside > 0) {
            std::snprintf(first, sizeof first, "%ld %s outside %g to %g", outside, plural(outside, "value", "values"),
                          low, high);
        }
        if (not_finite > 0) {
            std::snprintf(second, sizeof second, "%ld %s not finite", not_finite,
                          plural(not_finite, "value that is", "values that are"));
        }
        const bool one = outside + not_finite == 1;
        std::fprintf(stderr, "%s: %s%s%s %s not counted\n", routine, first,
                     outside > 0 && not_finite > 0 ? " and " : "", second, one ? "is" : "are");
    }
    std::fflush(stderr);
}

// The histogram of COUNTS(1..NBIN) on equal bins from LEFT to RIGHT into the current diagram.
void draw_histogram(const float* counts, int nbin, float left, float right, int ifill) {
    diagr::diagram::clip_to_frame();
    if (nbin <= 0) {
        return;
    }
    const float zero = 0.0F;
    const float base = diagr::area::y_cm(zero);
    const double width = (static_cast<double>(right) - static_cast<double>(left)) / nbin;
    const auto edge = [&](int k) { return diagr::area::x_cm(static_cast<float>(left + k * width)); };
    if (ifill == 1) {
        diagr::area::FillScope scope;
        for (int first = 0; first < nbin; first += FILL_CHUNK) {
            const int last = std::min(nbin, first + FILL_CHUNK);
            float x[diagr::area::MAX_POLYGON];
            float y[diagr::area::MAX_POLYGON];
            int m = 0;
            x[m] = edge(first);
            y[m++] = base;
            for (int k = first; k < last; ++k) {
                const float top = diagr::area::y_cm(counts[k]);
                x[m] = edge(k);
                y[m++] = top;
                x[m] = edge(k + 1);
                y[m++] = top;
            }
            x[m] = edge(last);
            y[m++] = base;
            scope.fill(x, y, m);
        }
    }
    PLTSYN(1);
    float last_x = edge(0);
    float last_y = base;
    CPLOT(last_x, last_y, 3);
    const auto to = [&](float x, float y) {
        CPLOT(x, y, 2);
        diagr::occupancy::mark_segment(last_x, last_y, x, y);
        last_x = x;
        last_y = y;
    };
    for (int k = 0; k < nbin; ++k) {
        const float top = diagr::area::y_cm(counts[k]);
        to(edge(k), top);
        to(edge(k + 1), top);
    }
    to(edge(nbin), base);
    to(edge(0), base);
    PLTSYN(0);
}

}  // namespace

void BINS(const float* DATA, const int& N, int& NBIN, float& XMIN, float& XMAX, float* COUNTS, const int& MAXBIN) {
    count_bins("BINS", DATA, N, NBIN, XMIN, XMAX, COUNTS, MAXBIN);
}

void HIST(const float* DATA, const int& N, const int& NBIN, const float& XMIN, const float& XMAX, const int& IFILL) {
    DERR("Hist", 4);
    int nbin = NBIN;
    float xmin = XMIN;
    float xmax = XMAX;
    count_bins("HIST", DATA, N, nbin, xmin, xmax, hist_counts, MAX_HIST_BINS);
    draw_histogram(hist_counts, nbin, xmin, xmax, IFILL);
}

void HISTD(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float* DATA, const int& N,
           const int& NBIN, const char* XTEXT, const char* YTEXT, const char* TITLE, const int& IPENF, const int& IPENC,
           const int& IFILL, int XTEXT_len, int YTEXT_len, int TITLE_len) {
    int nbin = NBIN;
    float xmin = 0.0F;
    float xmax = 0.0F;
    count_bins("HISTD", DATA, N, nbin, xmin, xmax, hist_counts, MAX_HIST_BINS);
    if (nbin <= 0) {
        xmin = 0.0F;
        xmax = 1.0F;
    }
    float largest = 0.0F;
    for (int k = 0; k < nbin; ++k) {
        largest = std::max(largest, hist_counts[k]);
    }
    // Up to the first numbered tick at or above the largest count.
    float ymax = 1.0F;
    float dy = 0.0F;
    if (largest > 0.0F) {
        const diagr::scale::AxisNumbering axis = diagr::scale::number_axis(0.0F, 0.0F, largest, YLEN, PLTPAR.YLSIZE);
        if (axis.usable) {
            dy = axis.step * std::pow(10.0F, static_cast<float>(axis.exponent));
            ymax = std::ceil(largest / dy * (1.0F - 1e-6F)) * dy;
        } else {
            ymax = largest;
        }
    }
    const float ymin = 0.0F;
    const float dx = 0.0F;
    diagr::diagram::set_up("HISTD", false, X0, Y0, XLEN, YLEN, xmin, xmax, ymin, ymax);
    NEWPEN(IPENC);
    draw_histogram(hist_counts, nbin, xmin, xmax, IFILL);
    diagr::diagram::set_up("HISTD", true, X0, Y0, XLEN, YLEN, xmin, xmax, ymin, ymax);
    diagr::diagram::draw_frame(X0, Y0, XLEN, YLEN, xmin, xmax, ymin, ymax, dx, dy, XTEXT, YTEXT, TITLE, IPENF,
                               XTEXT_len, YTEXT_len, TITLE_len);
}
