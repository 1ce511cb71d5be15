/* What the two reference programs share: the data range and opening the page on PGPLOT_DEV. */
#ifndef REF_COMMON_H
#define REF_COMMON_H

/* The data range with a tenth of its extent added on each side. */
void ref_range(const float *v, int n, float *low, float *high);

/* Opens a 22 x 12 cm page (20 x 10 cm and the 1 cm margin the plotter gives) on the device
 * PGPLOT_DEV names as "file/type" (default plot.pdf/pdf), without prompts.
 * Returns 0 on success. Only the opening is giza's own call: giza's cpgpap takes effect at the
 * next page, which would leave a blank first page. */
int ref_open_page(void);

#endif
