# cairo_first.cpp's pages from Python: libcairo is loaded first, into the global namespace, then the
# shared library of the Fortran entry points (argument 1), whose C names take every argument by
# reference.
import ctypes
import random
import sys

ctypes.CDLL("libcairo.so.2", mode=ctypes.RTLD_GLOBAL)
entries = ctypes.CDLL(sys.argv[1])
PLOTS = entries.plots_
PLOT = entries.plot_
PLTEND = entries.pltend_
ref = ctypes.byref
scatter = random.Random(1)
for width, height in ((20.0, 10.0), (10.0, 20.0)):
    PLOTS(ref(ctypes.c_int(1)), ref(ctypes.c_int(0)), ref(ctypes.c_float(width)), ref(ctypes.c_float(height)))
    for i in range(3000):
        x = ctypes.c_float(scatter.uniform(1.0, width - 1.0))
        y = ctypes.c_float(scatter.uniform(1.0, height - 1.0))
        PLOT(ref(x), ref(y), ref(ctypes.c_int(3 if i == 0 else 2)))
PLTEND()
