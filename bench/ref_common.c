/* The data range and the page opening shared by the reference programs. */
#include "ref_common.h"

#include <cpgplot.h>
#include <giza.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>

void ref_range(const float *v, int n, float *low, float *high) {
    float lo = v[0], hi = v[0];
    for (int i = 1; i < n; ++i) {
        if (v[i] < lo) lo = v[i];
        if (v[i] > hi) hi = v[i];
    }
    const float d = 0.1f * (hi - lo);
    *low = lo - d;
    *high = hi + d;
    if (*low == *high) {
        *low -= 1.0f;
        *high += 1.0f;
    }
}

int ref_open_page(void) {
    const char *env = getenv("PGPLOT_DEV");
    char device_name[512];
    snprintf(device_name, sizeof device_name, "%s", env != NULL && *env != '\0' ? env : "plot.pdf/pdf");
    char *slash = strrchr(device_name, '/');
    char device[64] = "/pdf";
    if (slash != NULL) {
        snprintf(device, sizeof device, "%s", slash);
        *slash = '\0';
    }
    if (giza_open_device_size(device, device_name[0] != '\0' ? device_name : "plot", 220.0, 120.0, GIZA_UNITS_MM) <= 0) {
        return 1;
    }
    cpgask(0);
    return 0;
}
