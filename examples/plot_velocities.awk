# Joins eb-com's input and its table line by line for plot_velocities.gp, and
# prints what the plot needs as gnuplot commands: the datablock
# $OBSERVATIONS (abscissa, v1, v2, vcm) of every line that holds three
# decimal numbers and whose row holds a number, then figures about them. A
# file it cannot use sets `problem` to the reason instead.
#
#   awk -v input=INPUT -v table=TABLE -f plot_velocities.awk
function is_number(text) {
  return text ~ /^[-+]?([0-9]+[.]?[0-9]*|[.][0-9]+)([eE][-+]?[0-9]+)?$/
}
function fail(reason) {
  if (in_block) print "EOD"
  in_block = 0
  gsub(/"/, "'", reason)
  print "problem = \"" reason "\""
  exit
}
BEGIN {
  lines = 0; used = 0; sum_xy = 0; sum_xx = 0
  if ((getline row < table) < 0) fail("cannot read " table)
  close(table)
  print "$OBSERVATIONS << EOD"
  in_block = 1
  while ((status = (getline line < input)) > 0) {
    ++lines
    # eb-com cuts a line of more than 499 characters, its newline counted,
    # into several records, each with a row.
    records = int((length(line) + 499) / 499)
    for (r = 0; r < records; ++r) {
      if ((getline row < table) <= 0) fail(table " has fewer rows than " input " has lines: was it made from another input?")
    }
    fields = split(line, f)
    split(row, t)
    if (fields < 3 || !is_number(f[1]) || !is_number(f[2]) || !is_number(f[3]) || !is_number(t[2])) continue
    ++used
    print f[1], f[2], f[3], t[2]
    if (used == 1 || f[1] + 0 < abscissa_min) abscissa_min = f[1] + 0
    if (used == 1 || t[2] + 0 > vcm_max) vcm_max = t[2] + 0
    if (used == 1 || t[2] + 0 < vcm_min) vcm_min = t[2] + 0
    vcm_sum += t[2]
    # vcm (1 + q) = v1 + q v2, so q (vcm - v2) = v1 - vcm: least squares.
    x = t[2] - f[3]; y = f[2] - t[2]
    sum_xy += x * y; sum_xx += x * x
  }
  print "EOD"
  in_block = 0
  if (status < 0) fail("cannot read " input)
  if (lines == 0) fail(input " is empty")
  if ((getline row < table) > 0) fail(table " has more rows than " input " has lines: was it made from another input?")
  if (used == 0) fail("no line of " input " holds three numbers separated by white space (a comma is no separator): eb-com's warnings say what it read")
  printf "lines = %d\nobservations = %d\nabscissa_min = %.17g\nvcm_max = %.17g\nvcm_min = %.17g\nvcm_mean = %.17g\n", lines, used, abscissa_min, vcm_max, vcm_min, vcm_sum / used
  if (sum_xx > 0) printf "q_of_table = %.17g\n", sum_xy / sum_xx
}
