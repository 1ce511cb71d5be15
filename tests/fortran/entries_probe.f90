! Calls every Fortran entry point once, as an old Fortran caller would, and prints what comes back
! (reals as bit patterns). Run with PLOTTER_TRACE to see what reached the plotter; the test makes
! the same calls in C++ and compares both. Built a second time with DIAGR_USE_API defined, it makes
! the same calls through the explicit interfaces of the module diagr_api.
program entries_probe
#ifdef DIAGR_USE_API
  use diagr_api
  implicit none
#else
  implicit none
  real :: xcm, ycm
  integer :: idx, lint
#endif
  real :: x(5), y(5)
  real :: xmin, xmax, ymin, ymax, w, hx, hy, gx, gy, ux, uy
  integer :: key, nch, iexp, nbin
  real :: counts(4), bmin, bmax
  character(len=8) :: label
  character(len=3) :: ch

  x = [0.0, 2.5, 5.0, 7.5, 10.0]
  y = [1.0, -0.5, 0.25, 0.75, -1.0]

  call labini()
  call pltdev('/null')
  call plots(1, 0, 20.0, 10.0)
  call newpen(2)
  call plot(1.0, 1.0, 3)
  call plot(2.5, 1.5, 2)
  call cplot(3.0, 3.0, 997)
  call cplot(6.0, 6.0, 998)
  call cplot(2.0, 4.0, 3)
  call cplot(7.0, 4.5, 2)
  call mplot(4.0, 2.0, 2, 3)
  call symbol(1.0, 8.0, 0.4, 'SYMBOL', 0.0, 6)
  call symblk(999.0, 999.0, 0.4, 'x&H2&M + #a', 0.0, 10)
  w = -1.0
  call textlk(0.0, w, 0.4, 'x&H2&M + #a', 0.0, 10)
  write (*, '(a,1x,z8.8)') 'TEXTLK', transfer(w, 0)
  call censym(5.0, 8.0, 3, 0.3, 0.3, 0.0)
  call pltsyn(1)
  call pltsyn(0)
  call waitht()
  hx = -1.0
  hy = -1.0
  key = -1
  call hitpos(hx, hy)
  call hitchr(key)
  write (*, '(a,2(1x,z8.8),1x,i0)') 'HIT', transfer(hx, 0), transfer(hy, 0), key
  call pgtext(3.0, 3.0, '\ga\gb')

  call fralab(1, 1, 0.3, 0.3, 0.4, 0.25)
  xmin = 0.0
  xmax = 0.0
  ymin = 0.0
  ymax = 0.0
  call diagr(2.0, 2.0, 7.0, 7.0, xmin, xmax, ymin, ymax, 0.0, 0.0, 'T (°C)', 'λ (µm)', 'title', 2, 3, x, y, 5, 0.0)
  write (*, '(a,4(1x,z8.8))') 'DIAGR', transfer(xmin, 0), transfer(xmax, 0), transfer(ymin, 0), transfer(ymax, 0)
  call frame(11.0, 2.0, 7.0, 7.0, 0.0, 10.0, -1.0, 1.0, 2.0, 0.5, 'time', 'value', 'frame', 4)
  call over(x, y, 5, 0.4)
  call ovr(x, y, 5, -2.0, 5)
  call erry(x, y, y * 0.0 + 0.25, y * 0.0 + 0.5, 5, 0.2)
  call errx(x, y, x * 0.0 + 1.0, x * 0.0 + 0.5, 5, 0.0)
  call legadd('curve', 3, -2.0, 1)
  call legend(0, 0.3)
  nbin = 0
  bmin = 0.0
  bmax = 0.0
  call bins(y, 5, nbin, bmin, bmax, counts, 4)
  write (*, '(a,1x,i0,3(1x,z8.8))') 'BINS', nbin, transfer(bmin, 0), transfer(bmax, 0), transfer(counts(1), 0)
  call hist(x, 5, 2, 0.0, 10.0, 1)
  call steps(x, y, 5, 0)
  call band(x, y - 0.25, y + 0.5, 5)
  call histd(2.0, 2.0, 7.0, 7.0, y, 5, 0, 'y', 'count', 'histd', 1, 2, 0)
  call filpol(x, y, 5, 1)
  call logax(0, 1)
  call frame(11.0, 2.0, 7.0, 7.0, 0.0, 10.0, 0.01, 100.0, 0.0, 0.0, 't', 'v', 'log', 1)
  call logax(0, 0)
  call timax(1, 0, 1107216000.0d0)
  call frame(11.0, 2.0, 7.0, 7.0, 0.0, 5097600.0, 0.0, 1.0, 0.0, 0.0, 't', 'v', 'time', 1)
  call timax(0, 0, 0.0d0)
  call cdash(1.0, 1.0, 3, 0.2)
  call cdash(4.0, 1.5, 2, 0.2)
  call ptext(1.0, 0.5, 0.3, 'ptext')
  call ptxt(0.5, 0.5, 'Δt = 5 µs', 0.06, 5, 6, 111)
  call achsiz(0.3)
  call achse0(1.0, 0.5, 5, 6.0, 0.0, 0.0, 0.0, 100.0)
  call achse(1.0, 0.5, 'axis text', 4, 6.0, 30.0, 0.0, 0.0, 100.0)

  label = 'xxxxxxxx'
  call stelle(1234567.0, label, nch, iexp)
  write (*, '(a,1x,a,1x,i0,1x,i0)') 'STELLE', '"' // label // '"', nch, iexp
  label = 'xxxxxxxx'
  iexp = 99
  call fstelle(0.005, label, nch, iexp)
  write (*, '(a,1x,a,1x,i0,1x,i0)') 'FSTELLE', '"' // label // '"', nch, iexp
  write (*, '(a,3(1x,i0))') 'IDX/LINT', idx('abc   '), lint(-1.5), lint(2.5)
  write (*, '(a,2(1x,z8.8))') 'XCM/YCM', transfer(xcm(5.0), 0), transfer(ycm(0.0), 0)

  ch = 'abc'
  gx = -1.0
  gy = -1.0
  call getpos(gx, gy, ch)
  write (*, '(a,2(1x,z8.8),1x,a)') 'GETPOS', transfer(gx, 0), transfer(gy, 0), '"' // ch // '"'
  ux = 0.0
  uy = 0.0
  call gposu(ux, uy, ch)
  write (*, '(a,2(1x,z8.8),1x,a)') 'GPOSU', transfer(ux, 0), transfer(uy, 0), '"' // ch // '"'
  call derr('probe')
  call pltend()
end program entries_probe
