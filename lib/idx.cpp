// IDX: the used length of a blank-padded text field.
#include "diagr.h"

int IDX(const char* TEXT, int TEXT_len) {
    // Only the space ends a field's used part; NUL and tab count as characters.
    for (int position = TEXT_len; position >= 1; --position) {
        if (TEXT[position - 1] != ' ') {
            return position;
        }
    }
    return 0;
}
