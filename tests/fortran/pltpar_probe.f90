! Reads and writes the common block /PLTPAR/ from Fortran: prints the fourteen words (as bit
! patterns) at start, after FRALAB and after CLIP, then writes mapping words itself and prints what
! XCM and YCM compute from them in C++.
program pltpar_probe
  implicit none
  include 'pltpar.inc'
  real :: xcm, ycm

  call show('START')
  call fralab(0, 7, 0.3, 0.35, 0.5, 0.2)
  call show('FRALAB')
  call clip(2.0, 1.5, 7.0, 6.0, -1.0, 11.0, 100.0, 40.0)
  call show('CLIP')
  xscal = 2.0
  xoffs = 1.0
  yscal = -0.5
  yoffs = 4.0
  write (*, '(a,2(1x,z8.8))') 'XCM/YCM', transfer(xcm(3.0), 0), transfer(ycm(6.0), 0)
  ixlab = 42
  call fralab(ixlab + 1, iylab, xlsize, ylsize, tsize, symsiz)
  call show('WRITTEN')

contains

  subroutine show(stage)
    character(len=*), intent(in) :: stage
    write (*, '(a,14(1x,z8.8))') stage, transfer(xscal, 0), transfer(yscal, 0), transfer(xoffs, 0), &
      transfer(yoffs, 0), transfer(xleft, 0), transfer(ybotm, 0), transfer(xright, 0), transfer(ytop, 0), &
      ixlab, iylab, transfer(xlsize, 0), transfer(ylsize, 0), transfer(tsize, 0), transfer(symsiz, 0)
  end subroutine show

end program pltpar_probe
