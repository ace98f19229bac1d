%
(1001)
(Machine)
(  vendor: Autodesk)
(T1  D=3 CR=0 - ZMIN=-2 - flat end mill)
G90 G94
G17
G21

(2D Contour1)
T1
S12000 M3
G54
G0 X20 Y10
Z15
G1 Z5 F1000
G1 Z-2 F300
G1 X60 F600
G3 X70 Y20 I0 J10
G1 Y50
G2 X50 Y70 I-20 J0
G1 X20
G0 Z15
G28 G91 Z0
G90
M5
M30
%
