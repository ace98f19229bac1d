; Estlcam style with a subroutine
G21 G90
o100 sub
  G1 Z-1 F100 ; plunge
  G1 X10 F300 (cut) (again)
  G0 Z2
o100 endsub
G0 X0 Y0 Z2
o100 call
G0 X0 Y20
o100 call
M30
