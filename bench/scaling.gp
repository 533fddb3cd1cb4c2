# Plots the scaling figure of the benchmark: instructions per further byte of
# the command tail against the tail's size. Called by measure.py with
# datafile, outfile and ceiling (twice the lowest figure: the goal's limit).
set terminal pngcairo size 800,480 font "sans,11"
set output outfile
set title "hibiopen: instructions per byte of command tail (callgrind)"
set xlabel "command tail (many short tokens, through the whole launch path)"
set ylabel "instructions per further tail byte"
set logscale x 2
set xtics ("1 KiB" 1024, "16 KiB" 16384, "256 KiB" 262144, "2 MiB" 2097152)
set xrange [768:2800000]
set yrange [0:ceiling * 1.25]
set grid ytics
set key top right opaque
plot datafile using 1:5 with linespoints lw 2 pt 7 ps 1.3 lc rgb "#1f5fa8" \
       title "hibiopen", \
     datafile using 1:5:(sprintf("%.1f", $5)) with labels offset 0,1.2 notitle, \
     ceiling with lines dt 2 lw 1.5 lc rgb "#b03030" \
       title "goal: at most twice the lowest figure"
