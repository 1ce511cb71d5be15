// Cursor input: the position and key of a hit at the graphics cursor, in cm or in user units.
#include "diagr.h"
#include "diagram_state.h"
#include "plotter.h"

void GETPOS(float& X, float& Y, char* CH, int CH_len) {
    WAITHT();
    HITPOS(X, Y);
    int code = 0;
    HITCHR(code);
    // CH is one character: the rest of a longer field keeps what the caller had there.
    if (CH != nullptr && CH_len >= 1) {
        CH[0] = static_cast<char>(static_cast<unsigned char>(code & 0xFF));
    }
}

void GPOSU(float& X, float& Y, char* CH, int CH_len) {
    // The guard comes before any waiting: without a diagram the program ends here.
    DERR("Gposu", 5);
    GETPOS(X, Y, CH, CH_len < 1 ? CH_len : 1);
    // Read the mapping after the hit, so the mapping in force at that moment applies.
    X = diagr::diagram::unmapped_x((X - PLTPAR.XOFFS) / PLTPAR.XSCAL);
    Y = diagr::diagram::unmapped_y((Y - PLTPAR.YOFFS) / PLTPAR.YSCAL);
}
