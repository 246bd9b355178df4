# Answers "is vcm flat, and is q right?" in one PNG, from eb-com's input and
# the table it made:
#  - both components' velocities against the abscissa;
#  - vcm on its own scale, with V max and V min marked;
#  - v1 against v2: for the right mass ratio the points lie on the line of
#    slope -q through the systemic velocity, drawn for the table's q.
#
#   gnuplot -c plot_velocities.gp [INPUT [TABLE [PICTURE [RATIO]]]]
#
# Run it in the folder where eb-com ran; by default it reads eb-com's own
# input and output files there and writes velocities.png. The mass ratio is
# read off the table itself (each row's vcm and its line's velocities give
# it), so it is the one of the program that made the table; RATIO draws the
# line for another. Needs awk, and plot_velocities.awk beside this script.
input = ARGC >= 1 ? ARG1 : "ZYKWo_HJX12_RV12.txt"
table = ARGC >= 2 ? ARG2 : "RV_HJX12_COM-EB_itter00.dat"
picture = ARGC >= 3 ? ARG3 : "velocities.png"
here = system(sprintf("dirname '%s'", ARG0))
load sprintf("< awk -v input='%s' -v table='%s' -f '%s/plot_velocities.awk'", input, table, here)
if (exists("problem")) {
  print "plot_velocities.gp: " . problem
  exit status 1
}
if (ARGC >= 4) {
  q = real(ARG4)
  q_said = sprintf("q = M2/M1 = %s, as given", ARG4)
} else {
  if (!exists("q_of_table")) {
    print "plot_velocities.gp: every line has v1 = v2, so the table does not tell its mass ratio: give it as RATIO"
    exit status 1
  }
  q = q_of_table
  q_said = sprintf("q = M2/M1 = %.3f, as the table was made", q)
}
# Julian dates differ in their last digits: ticks count from a whole offset.
offset = abscissa_min >= 1000 ? floor(abscissa_min) : 0
abscissa_label = offset != 0 ? sprintf("abscissa - %d", offset) : "abscissa"

set terminal pngcairo size 1200,800 enhanced font "sans,10"
set output picture
# The file's name as it is, underscores and all.
drawn = observations == lines ? sprintf("%d observations", lines) : sprintf("%d of %d lines drawn", observations, lines)
set multiplot title sprintf("%s and %s: %s, %s", input, table, drawn, q_said) \
  font "sans,12" noenhanced
set grid
set key top right horizontal box opaque samplen 1 width 2

# Left, above: the two components.
set origin 0, 0.42
set size 0.6, 0.53
set xlabel abscissa_label
set ylabel "radial velocity (km/s)"
set offsets 0, 0, graph 0.12, 0
plot $OBSERVATIONS using ($1 - offset):2 with points pt 7 ps 0.8 lc rgb "#d62728" title "v_1", \
     "" using ($1 - offset):3 with points pt 5 ps 0.7 lc rgb "#1f77b4" title "v_2"

# Left, below: vcm on a scale of its own, so that a drift of a few m/s shows.
set origin 0, 0
set size 0.6, 0.42
set ylabel "v_{cm} (km/s)"
set offsets 0, 0, 0, 0
unset key
margin = vcm_max > vcm_min ? (vcm_max - vcm_min) * 0.25 : 0.01
set yrange [vcm_min - margin : vcm_max + margin]
set label 1 sprintf("V max = %.3f", vcm_max) at graph 0.01, first vcm_max offset 0, 0.6 font "sans,9"
set label 2 sprintf("V min = %.3f", vcm_min) at graph 0.01, first vcm_min offset 0, -0.6 font "sans,9"
plot $OBSERVATIONS using ($1 - offset):4 with linespoints pt 9 ps 0.8 lc rgb "black" notitle, \
     vcm_max with lines dt 2 lc rgb "#2ca02c" notitle, \
     vcm_min with lines dt 2 lc rgb "#2ca02c" notitle
unset label 1
unset label 2
set autoscale y

# Right: v1 against v2, and the line v1 = (1 + q) gamma - q v2.
set origin 0.6, 0
set size 0.4, 0.95
set xlabel "v_2 (km/s)"
set ylabel "v_1 (km/s)"
set key bottom left vertical
gamma = vcm_mean
plot $OBSERVATIONS using 3:2 with points pt 7 ps 0.8 lc rgb "#9467bd" title "observations", \
     (1 + q) * gamma - q * x with lines lw 1.5 lc rgb "black" \
     title sprintf("slope -%.3f through {/Symbol g} = %.2f", q, gamma)
unset multiplot
