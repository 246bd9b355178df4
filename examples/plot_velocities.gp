# Both components' radial velocities and eb-com's centre-of-mass velocity
# against the abscissa, as a PNG.
#
#   gnuplot -c plot_velocities.gp [INPUT [TABLE [PICTURE [RATIO]]]]
#
# Run it in the folder where eb-com ran; by default it reads eb-com's own
# input and output files there and writes velocities.png. The title gives
# the mass ratio the table was made with: RATIO, or else the one that the
# eb-com which made it says it was built for, asked with --version (the
# program named by the environment variable EB_COM, or eb-com on the PATH).
input = ARGC >= 1 ? ARG1 : "ZYKWo_HJX12_RV12.txt"
table = ARGC >= 2 ? ARG2 : "RV_HJX12_COM-EB_itter00.dat"
picture = ARGC >= 3 ? ARG3 : "velocities.png"
ratio = ARGC >= 4 ? ARG4 : \
  system("\"${EB_COM:-eb-com}\" --version 2>/dev/null | sed -n 's/.*M2\\/M1 = \\([^)]*\\)).*/\\1/p'")
if (strlen(ratio) == 0) ratio = "unknown"

set terminal pngcairo size 1000,600 enhanced font "sans,11"
set output picture
set title sprintf("Radial velocities and the centre of mass (q = M_2/M_1 = %s)", ratio)
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
