// The output files: "Tarvel.box", the data file of the data output, and
// "Tarvel.out", the reports and the cycle dump. Both stay open for the run.
#pragma once
#include <cstdio>

extern FILE* bbx;
extern FILE* trk;

void open_output_streams();
void close_output_streams();

// The Set Data Output window: which items go to the file, the graph and the screen.
void datplot();
void datclick();
