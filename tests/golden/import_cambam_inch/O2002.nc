( Made using CamBam - http://www.cambam.co.uk )
( Untitled 4/2/2024 10:00:00 AM )
( T0 : 0.125 )
G20 G90 G64 G40
( T0 : 0.125 )
T0 M6
( Profile1 )
G17
M3 S10000
G0 Z0.125
G0 X0.0 Y0.0
G1 F10.0 Z-0.05
G1 F20.0 X1.0
G1 Y1.0
G2 X0.0 Y1.0 I-0.5 J0.0
G1 Y0.0
G0 Z0.125
M5
M30
