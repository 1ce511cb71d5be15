// FRAME: sets the plot state and draws a diagram's frame as four axes, with numbers and texts on the
// bottom and left sides as the plot state selects, and the title centred above the frame.
//
// The title's used part is measured and drawn in pieces of at most 80 characters; every piece after
// the first continues at (999.0, 999.0) where the previous one ended. A blank title is drawn as one
// blank (also when its declared length is 0). The scratch real that TEXTLK receives in its first and
// fifth places is 0.0, so its trace is reproducible.
#include "diagr.h"
#include "plotter.h"

namespace {

constexpr int TITLE_PIECE_LEN = 80;
constexpr float CONTINUE = 999.0F;

}  // namespace

void FRAME(const float& X0, const float& Y0, const float& XLEN, const float& YLEN, const float& XMIN, const float& XMAX,
           const float& YMIN, const float& YMAX, const float& DX, const float& DY, const char* XTEXT, const char* YTEXT,
           const char* TITLE, const int& IPENF, int XTEXT_len, int YTEXT_len, int TITLE_len) {
    CLIP(X0, Y0, XLEN, YLEN, XMIN, XMAX, YMIN, YMAX);
    NEWPEN(IPENF);

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
        ACHSE(X0, Y0, XTEXT, minus_nx, XLEN, horizontal, XMIN, DX, XMAX, nx);
    } else {
        ACHSE0(X0, Y0, minus_nx, XLEN, horizontal, XMIN, DX, XMAX);
    }

    const float right = X0 + XLEN;
    ACHSE0(right, Y0, minus_ny, YLEN, vertical, YMIN, DY, YMAX);

    const float top = Y0 + YLEN;
    ACHSE0(X0, top, nx, XLEN, horizontal, XMIN, DX, XMAX);

    if (PLTPAR.IYLAB != 0) {
        ACHSIZ(PLTPAR.YLSIZE);
        ACHSE(X0, Y0, YTEXT, ny, YLEN, vertical, YMIN, DY, YMAX, ny);
    } else {
        ACHSE0(X0, Y0, ny, YLEN, vertical, YMIN, DY, YMAX);
    }

    // A blank title is one blank; a field of length 0 has none to lend.
    static const char one_blank[1] = {' '};
    const char* title = TITLE_len >= 1 ? TITLE : one_blank;
    const float tsize = PLTPAR.TSIZE;
    const float scratch = 0.0F;

    float width = 0.0F;
    for (int start = 0; start < nt; start += TITLE_PIECE_LEN) {
        const int length = nt - start < TITLE_PIECE_LEN ? nt - start : TITLE_PIECE_LEN;
        float piece_width = 0.0F;
        TEXTLK(scratch, piece_width, tsize, title + start, scratch, length - 1, length);
        width += piece_width;
    }

    float xt = width < XLEN ? X0 + (XLEN - width) / 2.0F : X0;
    float yt = Y0 + YLEN + tsize;
    for (int start = 0; start < nt; start += TITLE_PIECE_LEN) {
        const int length = nt - start < TITLE_PIECE_LEN ? nt - start : TITLE_PIECE_LEN;
        SYMBLK(xt, yt, tsize, title + start, horizontal, length - 1, length);
        xt = CONTINUE;
        yt = CONTINUE;
    }
}
