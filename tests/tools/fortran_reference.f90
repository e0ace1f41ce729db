! Writes each case of a case file with a real Fortran edit-descriptor format, so that the
! fixed-format writer can be compared with what a Fortran compiler prints.
!
! Case line: column 1 the item type (I integer, R real, L logical, A text), column 2 the
! number of items (1 to 9), columns 4 to 33 the format without its parentheses, column 35 on
! the items, list-directed (a text item is the rest of the line). Lines starting with '#'
! are comments. Output: one line per case, the formatted record between '[' and ']'.
! A case whose format writes '/' is given with type '/' and is written as several lines.
program fortran_reference
  implicit none
  character(len=200) :: line, fmt
  character(len=1) :: kind
  integer :: count, ios, ivalues(9)
  double precision :: rvalues(9)
  logical :: lvalues(9)
  character(len=:), allocatable :: text
  do
    read(*, '(A)', iostat=ios) line
    if (ios /= 0) exit
    if (line(1:1) == '#' .or. len_trim(line) == 0) cycle
    kind = line(1:1)
    read(line(2:2), '(I1)') count
    fmt = '(' // trim(line(4:33)) // ')'
    write(*, '(A)', advance='no') '['
    select case (kind)
    case ('I')
      read(line(35:), *) ivalues(1:count)
      write(*, fmt, advance='no') ivalues(1:count)
    case ('R')
      read(line(35:), *) rvalues(1:count)
      write(*, fmt, advance='no') rvalues(1:count)
    case ('L')
      read(line(35:), *) lvalues(1:count)
      write(*, fmt, advance='no') lvalues(1:count)
    case ('A')
      text = trim(line(35:))
      write(*, fmt, advance='no') text
    case ('W')
      ! list-directed output of the reals
      read(line(35:), *) rvalues(1:count)
      write(*, *) rvalues(1:count)
      cycle
    end select
    write(*, '(A)') ']'
  end do
end program fortran_reference
