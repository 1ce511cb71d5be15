// FRAME: sets the plot state and draws a diagram's frame as four axes, with numbers and texts on the
// bottom and left sides as the plot state selects, and the title centred above the frame.
//
// The title's used part is measured and drawn in pieces of at most 80 characters; every piece after
// the first continues at (999.0, 999.0) where the previous one ended. A blank title is drawn as one
// blank (also when its declared length is 0). The scratch real that TEXTLK receives in its first and
// fifth places is 0.0, so its trace is reproducible.
#include "diagr.h"
#include "diagram_state.h"
#include "log_axis.h"
#include "plotter.h"
#include "text_pieces.h"

namespace {

constexpr float CONTINUE = 999.0F;

// How one side of the frame is scaled.
enum class Kind { Linear, Logarithmic, Time };

Kind kind_of(bool logarithmic, bool time) {
    if (time) {
        return Kind::Time;
    }
    return logarithmic ? Kind::Logarithmic : Kind::Linear;
}

// One side of the frame: numbered (ACHSE) or ticks only (ACHSE0), on a logarithmic or a time axis
// by KIND; a time axis chooses its own steps.
void side(Kind kind, bool numbered, float xa, float ya, const char* text, int nc, float alen, float angle, float vfirst,
          float vstep, float vlast, int text_len) {
    if (kind == Kind::Time) {
        diagr::axis::draw_time(xa, ya, text, text_len, nc, alen, angle, vfirst, vlast, diagr::diagram::time_origin(),
                               numbered);
    } else if (kind == Kind::Logarithmic) {
        diagr::axis::draw_logarithmic(xa, ya, text, text_len, nc, alen, angle, vfirst, vlast, numbered);
    } else if (numbered) {
        ACHSE(xa, ya, text, nc, alen, angle, vfirst, vstep, vlast, text_len);
    } else {
        ACHSE0(xa, ya, nc, alen, angle, vfirst, vstep, vlast);
    }
}

}  // namespace

void FRAME(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN, const float& XMAX,
           const float& YMIN, const float& YMAX, const float& DX, const float& DY, const char* XTEXT, const char* YTEXT,
           const char* TITLE, const int& IPENF, int XTEXT_len, int YTEXT_len, int TITLE_len) {
    diagr::diagram::set_up("FRAME", false, X0, Y0, XLEN, YLEN, XMIN, XMAX, YMIN, YMAX);
    diagr::diagram::draw_frame(X0, Y0, XLEN, YLEN, XMIN, XMAX, YMIN, YMAX, DX, DY, XTEXT, YTEXT, TITLE, IPENF,
                               XTEXT_len, YTEXT_len, TITLE_len);
}

void diagr::diagram::draw_frame(float X0, float Y0, float XLEN, float YLEN, float XMIN, float XMAX, float YMIN,
                                float YMAX, float DX, float DY, const char* XTEXT, const char* YTEXT, const char* TITLE,
                                int IPENF, int XTEXT_len, int YTEXT_len, int TITLE_len) {
    NEWPEN(IPENF);
    const Kind xkind = kind_of(log_x(), time_x());
    const Kind ykind = kind_of(log_y(), time_y());

    const int nx = IDX(XTEXT, XTEXT_len);
    const int ny = IDX(YTEXT, YTEXT_len);
    int nt = IDX(TITLE, TITLE_len);
    if (nt < 1) {
        nt = 1;
    }
    const int minus_nx = -nx;
    const int minus_ny = -ny;
    const float horizontal = 0.0F;
    const float vertical = 90.0F;

    // Bottom side; its label height stays in force for the right and top sides.
    if (PLTPAR.IXLAB != 0) {
        ACHSIZ(PLTPAR.XLSIZE);
    }
    side(xkind, PLTPAR.IXLAB != 0, X0, Y0, XTEXT, minus_nx, XLEN, horizontal, XMIN, DX, XMAX, nx);

    const float right = X0 + XLEN;
    side(ykind, false, right, Y0, YTEXT, minus_ny, YLEN, vertical, YMIN, DY, YMAX, ny);

    const float top = Y0 + YLEN;
    side(xkind, false, X0, top, XTEXT, nx, XLEN, horizontal, XMIN, DX, XMAX, nx);

    if (PLTPAR.IYLAB != 0) {
        ACHSIZ(PLTPAR.YLSIZE);
    }
    side(ykind, PLTPAR.IYLAB != 0, X0, Y0, YTEXT, ny, YLEN, vertical, YMIN, DY, YMAX, ny);

    // A blank title is one blank; a field of length 0 has none to lend.
    static const char one_blank[1] = {' '};
    const char* title = TITLE_len >= 1 ? TITLE : one_blank;
    const float tsize = PLTPAR.TSIZE;
    const float scratch = 0.0F;

    const int title_len = TITLE_len >= 1 ? TITLE_len : 1;

    float width = 0.0F;
    diagr::text::for_each_piece(title, title_len, nt, [&](int start, int length) {
        float piece_width = 0.0F;
        TEXTLK(scratch, piece_width, tsize, title + start, scratch, length - 1, length);
        width += piece_width;
    });

    float xt = width < XLEN ? X0 + (XLEN - width) / 2.0F : X0;
    float yt = Y0 + YLEN + tsize;
    diagr::text::for_each_piece(title, title_len, nt, [&](int start, int length) {
        SYMBLK(xt, yt, tsize, title + start, horizontal, length - 1, length);
        xt = CONTINUE;
        yt = CONTINUE;
    });
}

void diagr::diagram::draw_minor_ticks(float X0, float Y0, float XLEN, float YLEN, float XMIN, float XMAX, float YMIN,
                                      float YMAX, float DX, float DY, float DXMINOR, float DYMINOR) {
    // The sides' label sides as FRAME draws them: ticks point into the frame.
    if (kind_of(log_x(), time_x()) == Kind::Linear && DXMINOR > 0.0F) {
        diagr::axis::draw_minor_linear(X0, Y0, -1, XLEN, 0.0F, XMIN, XMAX, DX, DXMINOR);
        diagr::axis::draw_minor_linear(X0, Y0 + YLEN, 1, XLEN, 0.0F, XMIN, XMAX, DX, DXMINOR);
    }
    if (kind_of(log_y(), time_y()) == Kind::Linear && DYMINOR > 0.0F) {
        diagr::axis::draw_minor_linear(X0 + XLEN, Y0, -1, YLEN, 90.0F, YMIN, YMAX, DY, DYMINOR);
        diagr::axis::draw_minor_linear(X0, Y0, 1, YLEN, 90.0F, YMIN, YMAX, DY, DYMINOR);
    }
}
