! diagr_api: explicit interfaces for every routine of the diagram library and the pen plotter, so
! that a program that says "use diagr_api" has each call checked by the compiler: the number,
! types and kinds of its arguments (call plots(1, 0, 20, 10) is refused: WIDTH and HEIGHT are
! REAL), arrays where arrays belong, and no writing to an input. The interfaces name the existing
! external routines (plots_, diagr_, ... with gfortran's hidden text lengths), so a program
! without "use" links to the very same code. The plot state stays in pltpar.inc (COMMON /PLTPAR/).
module diagr_api
  implicit none
  private
  public :: labini, clip, xcm, ycm, derr, fralab, diagr, frame, getpos, gposu, achsiz, achse0, &
            achse, stelle, fstelle, idx, lint, over, ovr, cdash, ptext, ptxt, logax, timax, erry, errx, &
            legadd, legend, bins, steps, band, hist, histd
  public :: plots, plot, cplot, mplot, newpen, symbol, symblk, textlk, censym, pltsyn, waitht, &
            hitpos, hitchr, pltend, pltdev, pgtext, filpol, filalp

  interface
    ! ---- the diagram library (diagr.h) ----
    subroutine labini()
    end subroutine labini

    subroutine clip(x0, y0, xlen, ylen, xmin, xmax, ymin, ymax)
      real, intent(in) :: x0, y0, xlen, ylen, xmin, xmax, ymin, ymax
    end subroutine clip

    real function xcm(x)
      real, intent(in) :: x
    end function xcm

    real function ycm(y)
      real, intent(in) :: y
    end function ycm

    subroutine derr(name)
      character(len=*), intent(in) :: name
    end subroutine derr

    subroutine fralab(ixlab, iylab, xlsize, ylsize, tsize, symsiz)
      integer, intent(in) :: ixlab, iylab
      real, intent(in) :: xlsize, ylsize, tsize, symsiz
    end subroutine fralab

    subroutine diagr(x0, y0, xlen, ylen, xmin, xmax, ymin, ymax, dx, dy, xtext, ytext, title, &
                     ipenf, ipenc, x, y, n, isym)
      real, intent(in) :: x0, y0, xlen, ylen
      real, intent(inout) :: xmin, xmax, ymin, ymax
      real, intent(in) :: dx, dy
      character(len=*), intent(in) :: xtext, ytext, title
      integer, intent(in) :: ipenf, ipenc, n
      real, intent(in) :: x(n), y(n)
      real, intent(in) :: isym
    end subroutine diagr

    subroutine frame(x0, y0, xlen, ylen, xmin, xmax, ymin, ymax, dx, dy, xtext, ytext, title, ipenf)
      real, intent(in) :: x0, y0, xlen, ylen, xmin, xmax, ymin, ymax, dx, dy
      character(len=*), intent(in) :: xtext, ytext, title
      integer, intent(in) :: ipenf
    end subroutine frame

    ! X and Y go on to HITPOS, whose trace shows their value on entry (see TEXTLK).
    subroutine getpos(x, y, ch)
      real, intent(inout) :: x, y
      character(len=*), intent(inout) :: ch
    end subroutine getpos

    subroutine gposu(x, y, ch)
      real, intent(inout) :: x, y
      character(len=*), intent(inout) :: ch
    end subroutine gposu

    subroutine achsiz(hlab)
      real, intent(in) :: hlab
    end subroutine achsiz

    subroutine achse0(xa, ya, nc, alen, angle, vfirst, vstep, vlast)
      real, intent(in) :: xa, ya
      integer, intent(in) :: nc
      real, intent(in) :: alen, angle, vfirst, vstep, vlast
    end subroutine achse0

    subroutine achse(xa, ya, atext, nc, alen, angle, vfirst, vstep, vlast)
      real, intent(in) :: xa, ya
      character(len=*), intent(in) :: atext
      integer, intent(in) :: nc
      real, intent(in) :: alen, angle, vfirst, vstep, vlast
    end subroutine achse

    subroutine stelle(value, label, nch, iexp)
      real, intent(in) :: value
      character(len=*), intent(out) :: label
      integer, intent(out) :: nch, iexp
    end subroutine stelle

    ! IEXP is left as it was for fixed-point labels.
    subroutine fstelle(value, label, nch, iexp)
      real, intent(in) :: value
      character(len=*), intent(out) :: label
      integer, intent(out) :: nch
      integer, intent(inout) :: iexp
    end subroutine fstelle

    integer function idx(text)
      character(len=*), intent(in) :: text
    end function idx

    integer function lint(x)
      real, intent(in) :: x
    end function lint

    subroutine over(x, y, n, isym)
      integer, intent(in) :: n
      real, intent(in) :: x(n), y(n)
      real, intent(in) :: isym
    end subroutine over

    subroutine ovr(x, y, n, isym, ipen)
      integer, intent(in) :: n
      real, intent(in) :: x(n), y(n)
      real, intent(in) :: isym
      integer, intent(in) :: ipen
    end subroutine ovr

    subroutine cdash(x, y, ipen, dash)
      real, intent(in) :: x, y
      integer, intent(in) :: ipen
      real, intent(in) :: dash
    end subroutine cdash

    subroutine ptext(x, y, height, text)
      real, intent(in) :: x, y, height
      character(len=*), intent(in) :: text
    end subroutine ptext

    subroutine ptxt(x, y, text, height, just, ipen, iopt)
      real, intent(in) :: x, y
      character(len=*), intent(in) :: text
      real, intent(in) :: height
      integer, intent(in) :: just, ipen, iopt
    end subroutine ptxt

    subroutine logax(logx, logy)
      integer, intent(in) :: logx, logy
    end subroutine logax

    ! T0: seconds since 1970-01-01T00:00:00 UTC, double precision (a default real cannot hold it).
    subroutine timax(itx, ity, t0)
      integer, intent(in) :: itx, ity
      real(8), intent(in) :: t0
    end subroutine timax

    subroutine erry(x, y, elo, ehi, n, cap)
      integer, intent(in) :: n
      real, intent(in) :: x(n), y(n), elo(n), ehi(n)
      real, intent(in) :: cap
    end subroutine erry

    subroutine errx(x, y, elo, ehi, n, cap)
      integer, intent(in) :: n
      real, intent(in) :: x(n), y(n), elo(n), ehi(n)
      real, intent(in) :: cap
    end subroutine errx

    subroutine legadd(text, ipen, isym, ibar)
      character(len=*), intent(in) :: text
      integer, intent(in) :: ipen
      real, intent(in) :: isym
      integer, intent(in) :: ibar
    end subroutine legadd

    subroutine legend(ipos, height)
      integer, intent(in) :: ipos
      real, intent(in) :: height
    end subroutine legend

    ! Counts into at most maxbin bins; nbin, xmin and xmax are written back.
    subroutine bins(data, n, nbin, xmin, xmax, counts, maxbin)
      integer, intent(in) :: n, maxbin
      real, intent(in) :: data(n)
      integer, intent(inout) :: nbin
      real, intent(inout) :: xmin, xmax
      real, intent(out) :: counts(maxbin)
    end subroutine bins

    subroutine steps(x, y, n, iwhere)
      integer, intent(in) :: n, iwhere
      real, intent(in) :: x(n), y(n)
    end subroutine steps

    subroutine band(x, ylo, yhi, n)
      integer, intent(in) :: n
      real, intent(in) :: x(n), ylo(n), yhi(n)
    end subroutine band

    subroutine hist(data, n, nbin, xmin, xmax, ifill)
      integer, intent(in) :: n, nbin, ifill
      real, intent(in) :: data(n), xmin, xmax
    end subroutine hist

    subroutine histd(x0, y0, xlen, ylen, data, n, nbin, xtext, ytext, title, ipenf, ipenc, ifill)
      real, intent(in) :: x0, y0, xlen, ylen
      integer, intent(in) :: n, nbin, ipenf, ipenc, ifill
      real, intent(in) :: data(n)
      character(len=*), intent(in) :: xtext, ytext, title
    end subroutine histd

    ! ---- the pen plotter (plotter.h) ----
    subroutine plots(iunit, imode, width, height)
      integer, intent(in) :: iunit, imode
      real, intent(in) :: width, height
    end subroutine plots

    subroutine plot(x, y, ipen)
      real, intent(in) :: x, y
      integer, intent(in) :: ipen
    end subroutine plot

    subroutine cplot(x, y, ipen)
      real, intent(in) :: x, y
      integer, intent(in) :: ipen
    end subroutine cplot

    subroutine mplot(x, y, i2, i3)
      real, intent(in) :: x, y
      integer, intent(in) :: i2, i3
    end subroutine mplot

    subroutine newpen(ipen)
      integer, intent(in) :: ipen
    end subroutine newpen

    subroutine symbol(x, y, height, text, angle, nchar)
      real, intent(in) :: x, y, height
      character(len=*), intent(in) :: text
      real, intent(in) :: angle
      integer, intent(in) :: nchar
    end subroutine symbol

    subroutine symblk(x, y, height, text, angle, nchar)
      real, intent(in) :: x, y, height
      character(len=*), intent(in) :: text
      real, intent(in) :: angle
      integer, intent(in) :: nchar
    end subroutine symblk

    ! W, like the outputs of HITPOS and HITCHR, is read as well as written: the trace shows its
    ! value on entry, so a caller's value there is kept (intent(out) would let it be dropped).
    subroutine textlk(xs, w, height, text, angle, nchar)
      real, intent(in) :: xs
      real, intent(inout) :: w
      real, intent(in) :: height
      character(len=*), intent(in) :: text
      real, intent(in) :: angle
      integer, intent(in) :: nchar
    end subroutine textlk

    subroutine censym(x, y, marker, height, width, angle)
      real, intent(in) :: x, y
      integer, intent(in) :: marker
      real, intent(in) :: height, width, angle
    end subroutine censym

    subroutine pltsyn(iflag)
      integer, intent(in) :: iflag
    end subroutine pltsyn

    subroutine waitht()
    end subroutine waitht

    subroutine hitpos(x, y)
      real, intent(inout) :: x, y
    end subroutine hitpos

    subroutine hitchr(key)
      integer, intent(inout) :: key
    end subroutine hitchr

    subroutine pltend()
    end subroutine pltend

    subroutine pltdev(text)
      character(len=*), intent(in) :: text
    end subroutine pltdev

    subroutine pgtext(x, y, text)
      real, intent(in) :: x, y
      character(len=*), intent(in) :: text
    end subroutine pgtext

    subroutine filpol(x, y, n, ipaper)
      integer, intent(in) :: n
      real, intent(in) :: x(n), y(n)
      integer, intent(in) :: ipaper
    end subroutine filpol

    subroutine filalp(alpha)
      real, intent(in) :: alpha
    end subroutine filalp
  end interface
end module diagr_api
