# Draws the benchmarks' plots from the data bench/report.py writes.
#   gnuplot -e "dir='build/bench'; archs='i686 x86_64'" bench/plot.gp
# archs names the architectures that were timed (not emulated); each has
# store-ARCH.dat, dialogs-ARCH.dat and threads-ARCH.dat in dir.
if (!exists("dir")) dir = "build/bench"
if (!exists("archs")) archs = "x86_64"

set terminal svg size 820,520 dynamic font "sans,12" background "white" noenhanced
set grid
set key top left box opaque
set logscale xy

# Cost per call against the strings the host keeps.
set output dir."/store.svg"
set title "String store: cost per call as the host keeps more strings"
set xlabel "strings kept by the host"
set ylabel "ns per call"
set xtics ("0" 100, "1k" 1000, "10k" 10000, "100k" 100000, "1M" 1000000)
set xrange [70:1500000]
plot for [a in archs] dir."/store-".a.".dat" using 1:3 with linespoints lw 2 pt 7 title "LenB_ASCII, ".a, \
     for [a in archs] dir."/store-".a.".dat" using 1:4 with linespoints lw 2 pt 5 title "MidB_ASCII, ".a, \
     for [a in archs] dir."/store-".a.".dat" using 1:5 with lines dt 2 lw 1.5 \
         title "LenB_ASCII with a linear release search (computed), ".a

# Ready time of each dialog against N.
set output dir."/dialogs.svg"
set title "Dialogs: from the call until shown, lists filled"
set xlabel "N (cells or digits)"
set ylabel "seconds"
set xtics auto
set xtics add ("32767" 32767)
unset xrange
set key top left
plot for [a in archs] for [c=2:4] dir."/dialogs-".a.".dat" using 1:c with linespoints lw 2 \
         title columnhead(c)." ".a, \
     for [a in archs] for [c=5:6] dir."/dialogs-".a.".dat" using 1:c with lines dt 3 lw 1.5 \
         title columnhead(c)." (no N) ".a, \
     0.5 with lines dt 2 lc rgb "red" title "goal at the largest N: 0.5 s"

# Total throughput against the threads that share the store, with the heap's
# own line: the heap alone doing what MidB_ASCII asks of it.
set output dir."/threads.svg"
set title "Threads: total throughput as more threads call at once"
set xlabel "threads"
set ylabel "million calls per second (all threads)"
set logscale x 2
set xtics ("1" 1, "2" 2, "4" 4, "8" 8)
set xrange [0.8:10]
set key bottom left
plot for [a in archs] dir."/threads-".a.".dat" using 1:2 with linespoints lw 2 pt 7 title "LenB_ASCII, ".a, \
     for [a in archs] dir."/threads-".a.".dat" using 1:3 with linespoints lw 2 pt 5 title "MidB_ASCII, ".a, \
     for [a in archs] dir."/threads-".a.".dat" using 1:4 with linespoints dt 2 lw 1.5 pt 4 \
         title "HeapAlloc of the result's block (the heap alone), ".a
