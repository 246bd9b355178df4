# Both components' radial velocities and eb-com's centre-of-mass velocity
# against the abscissa, as a PNG.
#
#   gnuplot -c plot_velocities.gp [INPUT [TABLE [PICTURE]]]
#
# Run it in the folder where eb-com ran; by default it reads eb-com's own
# input and output files there and writes velocities.png.
input = ARGC >= 1 ? ARG1 : "ZYKWo_HJX12_RV12.txt"
table = ARGC >= 2 ? ARG2 : "RV_HJX12_COM-EB_itter00.dat"
picture = ARGC >= 3 ? ARG3 : "velocities.png"

set terminal pngcairo size 1000,600 enhanced font "sans,11"
set output picture
set title "Radial velocities and the centre of mass (q = M_2/M_1 = 0.91)"
set xlabel "abscissa (Julian date)"
set ylabel "radial velocity (km/s)"
set format x "%.0f"
set key below horizontal box
set bmargin 7
set rmargin 6
set grid
set zeroaxis lt 0

plot input using 1:2 with points pt 7 ps 0.9 lc rgb "#d62728" title "component 1 (v_1)", \
     input using 1:3 with points pt 5 ps 0.8 lc rgb "#1f77b4" title "component 2 (v_2)", \
     table using 1:2 with linespoints pt 9 ps 0.9 lw 1.5 lc rgb "black" title "centre of mass (v_{cm})"
