// The font table against the installed face: every advance and every kerned pair as the font file
// has them, no character of the face missing, and the layout's own ASCII and Greek advances close.
#include <fontconfig/fontconfig.h>
#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_ADVANCES_H
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "font_table.h"
#include "text.h"

namespace {

// The installed DejaVu Sans file, or "" when fontconfig finds another family.
std::string face_file() {
    std::string file;
    FcPattern* wanted = FcNameParse(reinterpret_cast<const FcChar8*>("DejaVu Sans"));
    FcConfigSubstitute(nullptr, wanted, FcMatchPattern);
    FcDefaultSubstitute(wanted);
    FcResult result = FcResultNoMatch;
    FcPattern* found = FcFontMatch(nullptr, wanted, &result);
    FcChar8* family = nullptr;
    FcChar8* path = nullptr;
    if (found != nullptr && FcPatternGetString(found, FC_FAMILY, 0, &family) == FcResultMatch &&
        FcStrCmp(family, reinterpret_cast<const FcChar8*>("DejaVu Sans")) == 0 &&
        FcPatternGetString(found, FC_FILE, 0, &path) == FcResultMatch) {
        file = reinterpret_cast<const char*>(path);
    }
    FcPatternDestroy(wanted);
    if (found != nullptr) {
        FcPatternDestroy(found);
    }
    return file;
}

TEST(FontTable, MatchesTheInstalledFace) {
    const std::string file = face_file();
    if (file.empty()) {
        GTEST_SKIP() << "DejaVu Sans is not installed (Debian: fonts-dejavu-core)";
    }
    FT_Library library = nullptr;
    FT_Face face = nullptr;
    ASSERT_EQ(FT_Init_FreeType(&library), 0);
    ASSERT_EQ(FT_New_Face(library, file.c_str(), 0, &face), 0) << file;
    EXPECT_EQ(face->units_per_EM, plotter::kFaceUnitsPerEm);
    ASSERT_EQ(FT_Load_Char(face, 'H', FT_LOAD_NO_SCALE), 0);
    EXPECT_EQ(face->glyph->metrics.horiBearingY, plotter::kFaceCapHeightUnits);

    int checked = 0;
    std::string differ;
    FT_UInt index = 0;
    for (FT_ULong point = FT_Get_First_Char(face, &index); index != 0; point = FT_Get_Next_Char(face, point, &index)) {
        if (point < 32) {
            continue;
        }
        FT_Fixed advance = 0;
        FT_Get_Advance(face, index, FT_LOAD_NO_SCALE, &advance);
        const int table = plotter::face_advance_units(static_cast<char32_t>(point));
        ++checked;
        if (table != advance && differ.size() < 200) {
            differ += " U+" + std::to_string(point) + ": " + std::to_string(table) + " not " + std::to_string(advance);
        }
        // The layout's measured advances for ASCII and the Greek letters stay within 1.2 % of the font's.
        const float layout = plotter::glyph_advance(static_cast<int>(point));
        EXPECT_NEAR(layout, static_cast<float>(advance) / plotter::kFaceCapHeightUnits, 0.012F * layout) << point;
    }
    EXPECT_EQ(checked, plotter::kFaceCharCount) << "characters the face maps and the table does not, or the reverse";
    EXPECT_EQ(differ, "") << file;

    int kern_differ = 0;
    for (int k = 0; k < plotter::kFaceKernCount; ++k) {
        const plotter::KernPair& pair = plotter::kFaceKerning[k];
        FT_Vector delta{};
        FT_Get_Kerning(face, FT_Get_Char_Index(face, pair.first), FT_Get_Char_Index(face, pair.second),
                       FT_KERNING_UNSCALED, &delta);
        kern_differ += delta.x != pair.delta ? 1 : 0;
    }
    EXPECT_EQ(kern_differ, 0) << "kerned pairs of the table that the face kerns otherwise";
    FT_Done_Face(face);
    FT_Done_FreeType(library);
}

}  // namespace
