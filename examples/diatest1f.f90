! diatest1f: the demonstration page of diatest1, drawn by a Fortran program through the Fortran
! entry points of the diagram and pen-plotter libraries.
!
! Reads the x/y pairs of plot.out in the working directory (the first line is a header) with
! list-directed input, then draws the border, one automatically scaled diagram, two sample
! alphabets placed relative to its frame and two Greek alphabets through PGTEXT. As diatest1, it
! refuses a file of more than 1000 pairs or fewer than 2, before any plot is opened. The module
! diagr_api lets the compiler check every call's arguments.
!
!   gfortran diatest1f.f90 $(pkg-config --cflags --libs diagr) -o diatest1f
program diatest1f
  use diagr_api
  implicit none
  integer, parameter :: maxpts = 1000
  real :: x(maxpts), y(maxpts)
  real :: xin, yin
  real :: xmin, xmax, ymin, ymax, dx, dy
  integer :: n, count

  ! A value that a record leaves out keeps the previous one; before the first record it is 0.
  xin = 0.0
  yin = 0.0
  count = 0
  open (unit=1, file='plot.out', status='old', action='read')
  read (1, *, end=20)
  do
    read (1, *, end=20) xin, yin
    count = count + 1
    if (count <= maxpts) then
      x(count) = xin
      y(count) = yin
    end if
  end do
20 close (1)

  if (count > maxpts) then
    write (0, '(a,i0,a,i0,a)') 'diatest1f: plot.out has ', count, ' pairs; at most ', maxpts, &
      ' can be plotted'
    stop 1, quiet=.true.
  end if
  if (count < 2) then
    if (count == 1) then
      write (0, '(a)') 'diatest1f: plot.out has 1 pair; at least 2 are needed for the curve'
    else
      write (0, '(a,i0,a)') 'diatest1f: plot.out has ', count, ' pairs; at least 2 are needed for the curve'
    end if
    stop 1, quiet=.true.
  end if
  n = count

  call plots(1, 0, 20.0, 10.0)
  call plot(0.0, 0.0, 3)
  call plot(20.0, 0.0, 2)
  call plot(20.0, 10.0, 2)
  call plot(0.0, 10.0, 2)
  call plot(0.0, 0.0, 2)

  ! Equal bounds make DIAGR take both ranges from the data (and write them back); zero steps let
  ! the axes choose.
  xmin = 0.0
  xmax = 0.0
  ymin = 0.0
  ymax = 0.0
  dx = 0.0
  dy = 0.0
  call diagr(2.0, 2.0, 7.0, 7.0, xmin, xmax, ymin, ymax, dx, dy, 'bla&tbla&Hbl&ma', 'bla', &
             'bla#gre&Tek#or w&Mhat', 2, 3, x, y, n, 0.0)
  ! Option 111: position and height in fractions of the frame.
  call ptxt(0.05, 0.9, '#abcdefghijklmnopqrstuvwxyz', 0.05, 1, 3, 111)
  call ptxt(0.05, 0.75, '#ABCDEFGHIJKLMNOPQRSTUVWXYZ', 0.05, 1, 3, 111)
  call pgtext(3.0, 3.0, '\ga\gb\gc\gd\ge\gf\gg\gh\gi\gj\gk\gl\gm\gn\go\gp\gq\gr\gs\gt\gu\gv\gw\gx\gy\gz')
  call pgtext(3.0, 4.0, '\GA\GB\GC\GD\GE\GF\GG\GH\GI\GJ\GK\GL\GM\GN\GO\GP\GQ\GR\GS\GT\GU\GV\GW\GX\GY\GZ')
  call pltend()
end program diatest1f
