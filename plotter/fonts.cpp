// The text face and the fallback faces, found with fontconfig once and kept for the process, and
// which of them draws each character.
#include "fonts.h"

#include <cairo-ft.h>
#include <fontconfig/fontconfig.h>

#include <cstdio>
#include <unordered_map>
#include <vector>

#include "font_table.h"
#include "text.h"
#include "utf8.h"

namespace plotter {

namespace {

// The face the font table was made from.
constexpr const char* kFontName = "DejaVu Sans";
// The advance of the text face's box for a missing character, font units.
constexpr int kBoxAdvanceUnits = 1229;
// Faces are measured at this em (font matrix units): advances to a millionth of an em.
constexpr double kMeasureEm = 1000.0;
// Glyph indices of the text face below this code point are kept in an array, the rest in a map.
constexpr char32_t kDirectIndexEnd = 0x3000;
constexpr unsigned long kUnknownIndex = ~0UL;

// A character the text face lacks: the fallback face that has it (-1: none) and its advance in cap
// heights.
struct Fallback {
    int face;
    unsigned long index;
    float advance;
};

// A face with its scaled font at the measuring em, for glyph indices and advances.
struct MeasuredFace {
    cairo_font_face_t* face = nullptr;
    cairo_scaled_font_t* scaled = nullptr;
};

class Faces {
public:
    Faces();
    Faces(const Faces&) = delete;
    Faces& operator=(const Faces&) = delete;

    const cairo_font_options_t* options() const { return options_; }
    cairo_font_face_t* text_face() const { return main_.face; }
    // The text face's glyph of POINT; 0 when it has none, or when the font table lacks POINT (its
    // layout is then the fallback's).
    unsigned long main_index(char32_t point);
    const Fallback& fallback(char32_t point);
    cairo_font_face_t* fallback_face(int face) const { return fallbacks_[static_cast<std::size_t>(face)].face; }

private:
    MeasuredFace measured(cairo_font_face_t* face) const;
    // The glyph index of POINT in SCALED, 0 when it has none.
    static unsigned long index_in(cairo_scaled_font_t* scaled, char32_t point);
    Fallback find_fallback(char32_t point);

    cairo_font_options_t* options_ = nullptr;
    FcPattern* wanted_ = nullptr;  // the text face's pattern, substituted: fallbacks are sorted by it
    MeasuredFace main_;
    std::vector<unsigned long> direct_index_;
    std::unordered_map<char32_t, unsigned long> other_index_;
    FcFontSet* candidates_ = nullptr;  // every installed face, nearest to the text face first
    bool sorted_ = false;
    std::vector<MeasuredFace> fallbacks_;     // by position in candidates_; made when first needed
    std::vector<int> fallback_of_candidate_;  // -1 until made
    std::unordered_map<char32_t, Fallback> fallback_;
    bool reported_missing_ = false;
};

Faces::Faces() : direct_index_(kDirectIndexEnd, kUnknownIndex) {
    options_ = cairo_font_options_create();
    cairo_font_options_set_hint_style(options_, CAIRO_HINT_STYLE_NONE);
    cairo_font_options_set_hint_metrics(options_, CAIRO_HINT_METRICS_OFF);

    FcPattern* found = nullptr;
    wanted_ = FcNameParse(reinterpret_cast<const FcChar8*>(kFontName));
    if (wanted_ != nullptr) {
        // Outlines as designed: hinting would move glyphs by resolution.
        FcPatternAddBool(wanted_, FC_HINTING, FcFalse);
        FcConfigSubstitute(nullptr, wanted_, FcMatchPattern);
        FcDefaultSubstitute(wanted_);
        FcResult result = FcResultNoMatch;
        found = FcFontMatch(nullptr, wanted_, &result);
    }
    // The layout's advances are this font's: another one would be spaced wrongly. Said once; the
    // texts are drawn all the same.
    FcChar8* family = nullptr;
    if (found == nullptr || FcPatternGetString(found, FC_FAMILY, 0, &family) != FcResultMatch ||
        FcStrCmpIgnoreCase(family, reinterpret_cast<const FcChar8*>(kFontName)) != 0) {
        std::fprintf(
            stderr,
            "plotter: the font \"%s\" is not installed (Debian: fonts-dejavu-core); texts are drawn in \"%s\"\n",
            kFontName, family != nullptr ? reinterpret_cast<const char*>(family) : "cairo's own font");
        std::fflush(stderr);
    }
    main_ = measured(found != nullptr
                         ? cairo_ft_font_face_create_for_pattern(found)
                         : cairo_toy_font_face_create("sans-serif", CAIRO_FONT_SLANT_NORMAL, CAIRO_FONT_WEIGHT_NORMAL));
    if (found != nullptr) {
        FcPatternDestroy(found);
    }
}

MeasuredFace Faces::measured(cairo_font_face_t* face) const {
    cairo_matrix_t em;
    cairo_matrix_init_scale(&em, kMeasureEm, kMeasureEm);
    cairo_matrix_t identity;
    cairo_matrix_init_identity(&identity);
    return MeasuredFace{face, cairo_scaled_font_create(face, &em, &identity, options_)};
}

unsigned long Faces::index_in(cairo_scaled_font_t* scaled, char32_t point) {
    char utf8[4];
    const int length = utf8_encode(point, utf8);
    cairo_glyph_t* glyphs = nullptr;
    int count = 0;
    unsigned long index = 0;
    if (cairo_scaled_font_text_to_glyphs(scaled, 0.0, 0.0, utf8, length, &glyphs, &count, nullptr, nullptr, nullptr) ==
            CAIRO_STATUS_SUCCESS &&
        count == 1) {
        index = glyphs[0].index;
    }
    cairo_glyph_free(glyphs);
    return index;
}

unsigned long Faces::main_index(char32_t point) {
    unsigned long* slot = nullptr;
    if (point < kDirectIndexEnd) {
        slot = &direct_index_[point];
    } else {
        const auto [it, added] = other_index_.try_emplace(point, kUnknownIndex);
        slot = &it->second;
    }
    if (*slot == kUnknownIndex) {
        *slot = face_advance_units(point) >= 0 ? index_in(main_.scaled, point) : 0;
    }
    return *slot;
}

const Fallback& Faces::fallback(char32_t point) {
    const auto it = fallback_.find(point);
    if (it != fallback_.end()) {
        return it->second;
    }
    return fallback_.emplace(point, find_fallback(point)).first->second;
}

Fallback Faces::find_fallback(char32_t point) {
    if (!sorted_) {
        sorted_ = true;
        FcResult result = FcResultNoMatch;
        candidates_ = wanted_ != nullptr ? FcFontSort(nullptr, wanted_, FcTrue, nullptr, &result) : nullptr;
        fallback_of_candidate_.assign(candidates_ != nullptr ? static_cast<std::size_t>(candidates_->nfont) : 0U, -1);
    }
    for (int k = 0; candidates_ != nullptr && k < candidates_->nfont; ++k) {
        FcCharSet* chars = nullptr;
        if (FcPatternGetCharSet(candidates_->fonts[k], FC_CHARSET, 0, &chars) != FcResultMatch ||
            FcCharSetHasChar(chars, point) == FcFalse) {
            continue;
        }
        int& face = fallback_of_candidate_[static_cast<std::size_t>(k)];
        if (face < 0) {
            FcPattern* prepared = FcFontRenderPrepare(nullptr, wanted_, candidates_->fonts[k]);
            if (prepared == nullptr) {
                continue;
            }
            fallbacks_.push_back(measured(cairo_ft_font_face_create_for_pattern(prepared)));
            FcPatternDestroy(prepared);
            face = static_cast<int>(fallbacks_.size()) - 1;
        }
        cairo_scaled_font_t* scaled = fallbacks_[static_cast<std::size_t>(face)].scaled;
        cairo_glyph_t glyph{index_in(scaled, point), 0.0, 0.0};
        if (glyph.index == 0) {
            continue;
        }
        cairo_text_extents_t extents;
        cairo_scaled_font_glyph_extents(scaled, &glyph, 1, &extents);
        const auto advance = static_cast<float>(extents.x_advance / kMeasureEm / kCapHeightPerEm);
        return Fallback{face, glyph.index, advance};
    }
    if (!reported_missing_) {
        reported_missing_ = true;
        std::fprintf(stderr, "plotter: no installed font has U+%04X; drawn as a box\n", static_cast<unsigned>(point));
        std::fflush(stderr);
    }
    return Fallback{-1, 0, static_cast<float>(kBoxAdvanceUnits) / static_cast<float>(kFaceCapHeightUnits)};
}

Faces& faces() {
    static Faces all;
    return all;
}

}  // namespace

float fallback_advance(char32_t point) { return faces().fallback(point).advance; }

FaceGlyph face_glyph(int code) {
    Faces& f = faces();
    const auto point = static_cast<char32_t>(code > 0 ? code : ' ');
    if (const unsigned long index = f.main_index(point); index != 0) {
        return FaceGlyph{f.text_face(), index};
    }
    const Fallback& fallback = f.fallback(point);
    return fallback.face < 0 ? FaceGlyph{f.text_face(), 0} : FaceGlyph{f.fallback_face(fallback.face), fallback.index};
}

const cairo_font_options_t* text_font_options() { return faces().options(); }

}  // namespace plotter
